#pragma once

// Why an operation on a file failed, in a form every layer can word. model/
// has no Qt and no say in the user's language: it names the sentence by its
// key and gives the words that fill it (file names, numbers); the editor puts
// it in the language the user chose, the command-line tool prints it as it is.

#include <string>
#include <vector>

// Marks a sentence for the program's catalogue: lupdate reads it as
// QT_TRANSLATE_NOOP (see shell/CMakeLists.txt), so every key below is offered
// for translation in the context of its first argument.
#define MODEL_NOOP(context, text) text

struct Problem {
    // The Spanish sentence with %1, %2... for `args`; also its key in the
    // catalogue (context "Problem"). Null: nothing went wrong.
    const char* key = nullptr;
    std::vector<std::string> args;
    // Sentences said after this one, such as where the old map was left.
    std::vector<Problem> then;

    Problem() = default;
    Problem(const char* sentence, std::vector<std::string> words = {})
        : key(sentence), args(std::move(words)) {}

    explicit operator bool() const { return key != nullptr; }
    // The whole message in Spanish, as the tool prints it.
    std::string Text() const;
    void Clear() { *this = {}; }
};

// `text` with %1..%9 replaced by `args`, as Qt's QString::arg would.
std::string FillArguments(const std::string& text, const std::vector<std::string>& args);
