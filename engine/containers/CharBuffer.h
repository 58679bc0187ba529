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
    CharBuffer(CharBuffer&& other) noexcept { TakeOver(other); }
    /// Takes over the other's text and leaves it empty.
    CharBuffer& operator=(CharBuffer&& other) noexcept {
        if (this != &other) {
            if (text != nullptr) Free();
            TakeOver(other);
        }
        return *this;
    }
    /// Frees the text.
    ~CharBuffer() {
        if (text != nullptr) Free();
    }

    /// Frees the text: text null, length 0.
    void Clear() {
        if (text != nullptr) Free();
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
        if (text != nullptr && n >= 0 && n < allocated) {
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
    /// Bytes of the text's room, 0 without one.
    int Capacity() const { return allocated; }

    char* text = nullptr;  ///< null or length + 1 bytes ending in NUL
    int length = 0;        ///< characters before the terminating NUL

private:
    /// Texts of up to this many bytes, the NUL included, live in the buffer itself. Most of a
    /// script's strings and names are that short, and each saves an allocation and its free.
    static constexpr int kInlineBytes = 8;

    /// Bytes of the text's room, as charged to the thread's memory budget whether the room is
    /// inline or allocated. Declared here so that it fills the padding after length.
    int allocated = 0;

    /// The copy constructor for a source with text.
    void CopyText(const CharBuffer& other);
    /// Overwrite when the room must be replaced first.
    char* OverwriteGrowing(int n);
    /// Releases the room: text null.
    void Free();
    /// Gives the buffer a zero-filled room for n characters and the NUL, the first kept bytes
    /// copied from source (which may be this buffer's own text), and makes that its text of
    /// length n. The new room is charged before the old one is released.
    void Replace(int n, const char* source, int kept);
    /// The move: takes the other's room and empties the other. Inline so that moving a value
    /// without text, the common case, stays a few instructions.
    void TakeOver(CharBuffer& other) noexcept {
        // The union's bytes are the array pointer or the inline text; either way they move
        // whole, and only an inline text needs its pointer set to its new place.
        std::memcpy(static_cast<void*>(&heapBytes), static_cast<const void*>(&other.heapBytes), kInlineBytes);
        text = other.text == other.inlineBytes ? inlineBytes : other.text;
        length = std::exchange(other.length, 0);
        allocated = std::exchange(other.allocated, 0);
        other.text = nullptr;
    }

    // Which member is in use follows from text: inlineBytes when text points at it, otherwise
    // heapBytes owns the array text points to (when text is not null).
    union {
        char* heapBytes = nullptr;
        char inlineBytes[kInlineBytes];
    };
};

// String arrays charge this size for each element, so a larger buffer would move the point at
// which a script's arrays reach the memory limit.
static_assert(sizeof(CharBuffer) == 24);

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
