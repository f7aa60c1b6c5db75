#pragma once

// Laid-out texts kept between frames, by font: shaping a text costs far more
// than drawing it, and a map shows the same names frame after frame.

#include <QFont>
#include <QStaticText>
#include <QString>
#include <string>
#include <unordered_map>

// The laid-out texts of one font.
using TextLayouts = std::unordered_map<std::string, QStaticText>;
struct TextStyle {
    QFont font;
    TextLayouts* layouts = nullptr;
};

class CTextLayouts {
public:
    // The font with its laid-out texts; valid until the next NewFrame.
    TextStyle Style(const QFont& font);
    // `utf8` laid out in the style's font, laid out now if it never was.
    const QStaticText& Layout(const TextStyle& style, const std::string& utf8);
    // One frame uses at most five fonts; the layouts of past zooms are dropped
    // so that zooming through every scale does not hoard them.
    void NewFrame();

private:
    // By font key; a node container, so that a style stays valid while others are added.
    std::unordered_map<QString, TextLayouts> m_byFont;
};
