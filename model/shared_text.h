#pragma once

// A text that many records repeat, such as a street's name on each of its
// labels: copies share one string, which never changes in place. A town of a
// million blocks has hundreds of thousands of labels but only a few thousand
// street names, so the labels hold one pointer each instead of a string.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <unordered_map>

class SharedText {
public:
    SharedText() noexcept = default;
    SharedText(std::string text); // NOLINT: a label's text is assigned as a string
    SharedText(const char* text) : SharedText(std::string(text)) {}
    SharedText(const SharedText& other) noexcept;
    SharedText(SharedText&& other) noexcept;
    SharedText& operator=(const SharedText& other) noexcept;
    SharedText& operator=(SharedText&& other) noexcept;
    ~SharedText();

    const std::string& str() const noexcept;
    operator const std::string&() const noexcept { return str(); } // NOLINT
    bool empty() const noexcept { return str().empty(); }
    std::size_t size() const noexcept { return str().size(); }

    friend bool operator==(const SharedText& a, const SharedText& b) noexcept {
        return a.m_rep == b.m_rep || a.str() == b.str();
    }
    friend bool operator==(const SharedText& a, const std::string& b) noexcept {
        return a.str() == b;
    }
    friend bool operator==(const SharedText& a, const char* b) noexcept { return a.str() == b; }

private:
    struct Rep {
        std::atomic<std::uint32_t> refs;
        std::string text;
    };
    void Release() noexcept;

    Rep* m_rep = nullptr; // nullptr: the empty text
};

std::ostream& operator<<(std::ostream& out, const SharedText& text);

// Gives equal texts one shared copy while a map is read or built.
class TextInterner {
public:
    SharedText Intern(std::string text);

private:
    std::unordered_map<std::string_view, SharedText> m_texts; // keys view the shared strings
    SharedText m_last; // a street's labels mostly follow one another
};
