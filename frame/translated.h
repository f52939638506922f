// The program's own messages for the windows: gettext's text as a QString,
// with its numbered places filled in.
#pragma once

#include "translation.h"

#include <QString>

#include <initializer_list>

namespace kinsight {

inline QString translated(const char* message) {
    return QString::fromUtf8(message);
}

// In one pass, so a value that holds "{2}" (a quiz's name may) stays as it is.
inline QString translated(const char* message, std::initializer_list<QString> values) {
    const QString pattern = QString::fromUtf8(message);
    QString text;
    text.reserve(pattern.size());
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const qsizetype place = i + 2 < pattern.size() && pattern[i] == u'{' &&
                                        pattern[i + 2] == u'}' && pattern[i + 1] >= u'1' &&
                                        pattern[i + 1] <= u'9'
                                    ? pattern[i + 1].unicode() - u'1'
                                    : -1;
        if (place < 0) {
            text += pattern[i];
            continue;
        }
        if (place < static_cast<qsizetype>(values.size()))
            text += *(values.begin() + place);
        i += 2;
    }
    return text;
}

} // namespace kinsight
