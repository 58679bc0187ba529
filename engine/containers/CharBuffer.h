#pragma once
#include <cstdarg>
#include <cstddef>
#include <cstring>
#include <memory>
#include <utility>

/// Length-counted, NUL-terminated byte string; owns its text.
class CharBuffer {
public:
    /// The empty buffer: text null, length 0.
    CharBuffer() = default;
    /// Copies a NUL-terminated string; null gives the empty buffer, "" a one-byte NUL text.
    explicit CharBuffer(const char* source);
    /// Deep copy; an empty source gives an empty buffer. Inline for that case: most values
    /// copied carry no text.
    CharBuffer(const CharBuffer& other) {
        if (other.text != nullptr) CopyText(other);
    }
    /// Same as Assign.
    CharBuffer& operator=(const CharBuffer& other);
    /// Takes over the other's text and leaves it empty.
    CharBuffer(CharBuffer&& other) noexcept
        : text(std::exchange(other.text, nullptr)),
          length(std::exchange(other.length, 0)),
          allocated(std::exchange(other.allocated, 0)),
          storage(std::move(other.storage)) {}
    /// Takes over the other's text and leaves it empty.
    CharBuffer& operator=(CharBuffer&& other) noexcept {
        if (this != &other) {
            if (storage) Free();
            storage = std::move(other.storage);
            text = std::exchange(other.text, nullptr);
            length = std::exchange(other.length, 0);
            allocated = std::exchange(other.allocated, 0);
        }
        return *this;
    }
    /// Frees the text.
    ~CharBuffer() {
        if (storage) Free();
    }

    /// Frees the text: text null, length 0.
    void Clear() {
        if (storage) Free();
        text = nullptr;
        length = 0;
    }
    /// Discards the contents and makes room for n characters plus NUL; n below 0 leaves it empty.
    void Allocate(int n);
    /// Keeps the first min(length, n) characters and sets length to n; n below 0 does nothing.
    void Resize(int n);
    /// A writable text of at least n + 1 bytes, growing as Resize does when needed.
    char* Reserve(int n);
    /// Discards the contents and returns room for n characters with the NUL already at n,
    /// keeping the array when it holds that many; length becomes n. n below 0 does nothing.
    char* Overwrite(int n) {
        // The common case, a buffer refilled with a text that fits, stays inline.
        if (storage != nullptr && n >= 0 && n < allocated) {
            text[n] = '\0';
            length = n;
            return text;
        }
        return OverwriteGrowing(n);
    }
    /// Copies the other's length + 1 bytes unless both share one text.
    void Assign(const CharBuffer& other);
    /// Appends the other's characters; an empty other leaves the buffer as it is.
    void Append(const CharBuffer& other);
    /// printf into the buffer, cut at 4095 characters.
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    /// Format with an already started argument list.
    void FormatV(const char* format, va_list args) __attribute__((format(printf, 2, 0)));
    /// The text, or "" when there is none.
    const char* CStr() const { return text != nullptr ? text : ""; }
    /// Bytes of the owned array, 0 without one.
    int Capacity() const { return allocated; }

    char* text = nullptr;  ///< null or length + 1 bytes ending in NUL
    int length = 0;        ///< characters before the terminating NUL

private:
    /// Bytes of the owned array, as charged to the thread's memory budget. Declared here so
    /// that it fills the padding after length: the buffer stays the size it was.
    int allocated = 0;

    /// The copy constructor for a source with text.
    void CopyText(const CharBuffer& other);
    /// Overwrite when the array must be replaced first.
    char* OverwriteGrowing(int n);
    /// Frees the owned array.
    void Free();
    /// Installs a new owned array of length n + 1 bytes as the text.
    void Adopt(std::unique_ptr<char[]> bytes, int n);

    std::unique_ptr<char[]> storage;  ///< owns what text points to
};

/// Copies n bytes from source to target. Tokens are mostly a few bytes long, and a call of
/// memcpy costs more than the copy: where both sides have room, one fixed block of 8 or 16
/// bytes is moved instead, bytes past n included. targetRoom and sourceRoom are the bytes
/// that may be written and read.
inline void CopyShort(char* target, int targetRoom, const char* source, int sourceRoom, int n) {
    const int room = targetRoom < sourceRoom ? targetRoom : sourceRoom;
    if (n <= 8 && room >= 8) {
        std::memcpy(target, source, 8);
    } else if (n <= 16 && room >= 16) {
        std::memcpy(target, source, 16);
    } else {
        std::memcpy(target, source, static_cast<std::size_t>(n));
    }
}
