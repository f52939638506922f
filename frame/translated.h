// The program's own messages for the windows: gettext's text as a QString,
// with its numbered places filled in.
#pragma once

#include "translation.h"

#include <QString>

#include <initializer_list>
#include <vector>

namespace kinsight {

inline QString translated(const char* message) {
    return QString::fromUtf8(message);
}

// Filled in by the engine's one pass, so a value that holds "{2}" (a quiz's
// name may) stays as it is.
inline QString translated(const char* message, std::initializer_list<QString> values) {
    std::vector<MessageArg> arguments;
    arguments.reserve(values.size());
    for (const QString& value : values)
        arguments.emplace_back(value.toStdString());
    return QString::fromStdString(fillIn(message, arguments));
}

} // namespace kinsight
