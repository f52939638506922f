#include "quiz_text_reader.h"

#include "quiz_error.h"
#include "quiz_location.h"
#include "text.h"
#include "translation.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kinsight {

namespace {

// Closes the file on every way out of reading it.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

bool unchanged(const struct stat& before, const struct stat& after) {
    return before.st_ino == after.st_ino && before.st_size == after.st_size &&
           before.st_mtim.tv_sec == after.st_mtim.tv_sec &&
           before.st_mtim.tv_nsec == after.st_mtim.tv_nsec;
}

using Buffer = std::unique_ptr<char, QuizText::Free>;

// Room for size bytes, not cleared. A large quiz goes in huge pages, so that
// reading it faults once per 2 MiB rather than once per 4 KiB.
Buffer allocate(std::size_t size) {
    constexpr std::size_t kHugePage = std::size_t{2} << 20;
    if (size < 2 * kHugePage) {
        if (void* bytes = std::malloc(size + 1))
            return Buffer(static_cast<char*>(bytes));
        throw std::bad_alloc();
    }
    const std::size_t rounded = (size + kHugePage - 1) / kHugePage * kHugePage;
    void* bytes = std::aligned_alloc(kHugePage, rounded);
    if (!bytes)
        throw std::bad_alloc();
    ::madvise(bytes, rounded, MADV_HUGEPAGE);
    return Buffer(static_cast<char*>(bytes));
}

// Line of the byte at pos (1-based).
int lineAt(std::string_view text, std::size_t pos) {
    int line = 1;
    for (std::size_t i = 0; i < pos; ++i)
        if (text[i] == '\r' || (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')))
            ++line;
    return line;
}

// Length of the UTF-8 letter of more than one byte at i, or 0.
std::size_t utf8Letter(std::string_view raw, std::size_t i) {
    Utf8Validator validator;
    for (std::size_t n = 1; n <= 4 && i + n <= raw.size(); ++n) {
        validator.feed(raw.data() + i + n - 1, 1);
        if (validator.failed())
            return 0;
        if (validator.valid())
            return n > 1 ? n : 0;
    }
    return 0;
}

// In a file that is not all UTF-8, the first byte that is not, if the file
// also holds UTF-8 letters: a UTF-8 quiz with a stray byte pasted in.
std::optional<QuizText::StrayByte> strayByte(std::string_view raw) {
    std::optional<std::size_t> stray;
    std::string letter;
    for (std::size_t i = 0; i < raw.size() && (!stray || letter.empty());) {
        if (static_cast<unsigned char>(raw[i]) < 0x80) {
            ++i;
        } else if (const std::size_t n = utf8Letter(raw, i)) {
            if (letter.empty())
                letter = raw.substr(i, n);
            i += n;
        } else {
            if (!stray)
                stray = i;
            ++i;
        }
    }
    if (!stray || letter.empty())
        return std::nullopt;
    return QuizText::StrayByte{lineAt(raw, *stray), static_cast<unsigned char>(raw[*stray]),
                               std::move(letter)};
}

// The file's bytes as UTF-8 text, by its byte-order mark or, without one, by
// whether all of it is UTF-8 (valid): a single stray byte anywhere means it
// was saved in the old code page.
QuizText decoded(Buffer bytes, std::size_t size, bool valid) {
    QuizText out;
    const std::string_view raw(bytes.get(), size);
    if (raw.starts_with("\xFF\xFE") || raw.starts_with("\xFE\xFF")) {
        Utf16Decoder decoder(raw[0] == '\xFE');
        out.storage = allocate(Utf16Decoder::maxOutput(size) + 6);
        char* end = decoder.feed(raw.data() + 2, size - 2, out.storage.get());
        end = decoder.finish(end);
        out.text =
            std::string_view(out.storage.get(), static_cast<std::size_t>(end - out.storage.get()));
        return out;
    }
    const std::string_view body = raw.substr(raw.starts_with("\xEF\xBB\xBF") ? 3 : 0);
    if (valid) {
        out.storage = std::move(bytes);
        out.text = body;
        return out;
    }
    out.windows1252 = true;
    out.strayByte = strayByte(body);
    // The exact size first, then the letters, with the file's pages given
    // back as they are read (a large file's buffer starts on a huge page):
    // the peak stays near the text's own size, not the file's and three
    // times the file's.
    std::size_t length = 0;
    for (const char byte : body) {
        char letter[4];
        length += static_cast<std::size_t>(
            putUtf8(windows1252CodePoint(static_cast<unsigned char>(byte)), letter) - letter);
    }
    out.storage = allocate(length);
    constexpr std::size_t kGiveBack = std::size_t{2} << 20;
    const bool pagesOfItsOwn = reinterpret_cast<std::uintptr_t>(bytes.get()) % kGiveBack == 0;
    char* end = out.storage.get();
    for (std::size_t from = 0; from < body.size(); from += kGiveBack) {
        for (const char byte : body.substr(from, kGiveBack))
            end = putUtf8(windows1252CodePoint(static_cast<unsigned char>(byte)), end);
        const std::size_t read = static_cast<std::size_t>(body.data() - bytes.get()) +
                                 std::min(from + kGiveBack, body.size());
        if (pagesOfItsOwn && read >= kGiveBack)
            ::madvise(bytes.get(), read / kGiveBack * kGiveBack, MADV_DONTNEED);
    }
    out.text =
        std::string_view(out.storage.get(), static_cast<std::size_t>(end - out.storage.get()));
    return out;
}

} // namespace

std::string sizeText(std::uintmax_t bytes) {
    if (bytes >= (1 << 20) && bytes % (1 << 20) == 0)
        return fillIn(i18n("{1} MiB"), {bytes >> 20});
    if (bytes >= 1024 && bytes % 1024 == 0)
        return fillIn(i18n("{1} KiB"), {bytes >> 10});
    return fillIn(i18np("{1} byte", "{1} bytes", static_cast<unsigned long>(bytes)), {bytes});
}

std::shared_ptr<const QuizText> readQuizText(const std::filesystem::path& path,
                                             std::string displayName, QuizFileLimits limits) {
    const std::string where = shownPath(path);
    // Not blocking: opening a pipe would otherwise wait for a writer.
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK)};
    if (file.fd < 0)
        throw fileError(where, errno);
    auto text = std::make_shared<QuizText>();
    text->displayName = std::move(displayName);
    const std::string tooLarge =
        fillIn(i18n("a quiz file may hold up to {1}"), {sizeText(limits.fileBytes)});
    try {
        // A file written to while it is read is read again: the pass must
        // not begin with half of each version.
        for (int attempt = 1;; ++attempt) {
            struct stat before {};
            if (::fstat(file.fd, &before) != 0)
                throw fileError(where, errno);
            if (S_ISDIR(before.st_mode))
                throw fileError(where, EISDIR);
            // A device or a pipe may never end, or cannot be read twice.
            if (!S_ISREG(before.st_mode))
                throw fileError(where, 0);
            if (static_cast<std::uintmax_t>(before.st_size) > limits.fileBytes)
                throw QuizError(Failure::OutOfMemory, where, 0, tooLarge);
            // Room for the file as it is and one block more, to see it grow.
            const std::size_t room = static_cast<std::size_t>(before.st_size) + limits.blockBytes;
            Buffer bytes = allocate(room);
            std::size_t size = 0;
            Utf8Validator validator;
            // Each block is checked while it is in the cache.
            while (size < room) {
                const ssize_t got =
                    ::pread(file.fd, bytes.get() + size, std::min(limits.blockBytes, room - size),
                            static_cast<off_t>(size));
                if (got < 0 && errno == EINTR)
                    continue;
                if (got < 0)
                    throw fileError(where, errno);
                if (got == 0)
                    break;
                const auto n = static_cast<std::size_t>(got);
                validator.feed(bytes.get() + size, n);
                size += n;
            }
            struct stat after {};
            if (::fstat(file.fd, &after) != 0)
                throw fileError(where, errno);
            if (unchanged(before, after) && size == static_cast<std::size_t>(after.st_size)) {
                std::string displayed = std::move(text->displayName);
                *text = decoded(std::move(bytes), size, validator.valid());
                text->displayName = std::move(displayed);
                break;
            }
            if (attempt == 3)
                throw QuizError(Failure::PathFileAccessError, where, 0,
                                i18n("it kept changing while it was read"));
        }
    } catch (const std::bad_alloc&) {
        throw QuizError(Failure::OutOfMemory, where, 0, "");
    }
    const std::string_view all = text->text;
    // Most likely UTF-16 without its byte-order mark, or no text at all; in
    // UTF-16 with its mark, a NUL shows only once decoded.
    if (const void* nul = std::memchr(all.data(), 0, all.size()))
        throw QuizError(
            Failure::NotText, text->displayName,
            lineAt(all, static_cast<std::size_t>(static_cast<const char*>(nul) - all.data())),
            i18n("this line holds a NUL byte; save the quiz as UTF-8"));
    return text;
}

void QuizText::Free::operator()(char* bytes) const {
    std::free(bytes);
}

} // namespace kinsight
