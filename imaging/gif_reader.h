#pragma once

// Decodes a GIF one image at a time into frames of the logical screen: rows
// top to bottom, unpadded, bytes red, green, blue. Every frame shows one image
// over the background colour; frames are not drawn over each other.
//
// An image is placed at its left and top offsets and clipped to the screen.
// Its pixels take their colours from its local colour table when it has one,
// else from the global table, else (a file with no table at all) from a grey
// ramp: index i is the grey i, i, i. An index past the end of its table is
// black, and so is the background when there is no global table.

#include "color.h"

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

struct GifFileType;

class GifReader {
public:
    static constexpr int kFrame = 2; // ReadNextFrame read an image
    static constexpr int kEnd = 4;   // the end of the file, or a failure

    GifReader() = default;
    GifReader(const GifReader&) = delete;
    GifReader& operator=(const GifReader&) = delete;
    ~GifReader();

    // Opens a file, or bytes that must outlive the reader, and reads the
    // logical screen. False with the reason in m_strStatus.
    bool Open(const std::string& path);
    bool Open(std::span<const std::uint8_t> bytes);

    // Fills `frame` (resized to ScreenWidth() x ScreenHeight() x 3) with the
    // next image and returns kFrame, or returns kEnd at the end of the file.
    // A damaged image also ends the frames: kEnd with the reason in
    // m_strStatus and the decoder closed.
    int ReadNextFrame(std::vector<std::uint8_t>& frame);

    // Harmless when already closed.
    void Close();

    int ScreenWidth() const;
    int ScreenHeight() const;

    // The transparent colour of the last graphic control extension read; 0
    // when it announced none.
    Color m_crTransparent = 0;
    // Empty, or why opening failed or the frames stopped early.
    std::string m_strStatus;

private:
    bool Start();
    int Fail(const std::string& why);
    bool ReadImage(std::vector<std::uint8_t>& frame);

    GifFileType* m_pGif = nullptr;
    std::FILE* m_pFile = nullptr;
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_nPos = 0;
    bool m_bEnded = false;

    friend int GifReadInput(GifFileType*, unsigned char*, int);
};
