#include "problem.h"

std::string FillArguments(const std::string& text, const std::vector<std::string>& args) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const auto n = static_cast<std::size_t>(next - '1');
        if (text[i] == '%' && next >= '1' && next <= '9' && n < args.size()) {
            out += args[n];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string Problem::Text() const {
    if (!key)
        return {};
    std::string text = FillArguments(key, args);
    for (const Problem& more : then)
        text += ' ' + more.Text();
    return text;
}
