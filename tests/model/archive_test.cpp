// The archive's byte forms: integers, floats and the stored forms of a text.

#include "archive.h"
#include "byte_builder.h"
#include "test_bytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

Bytes WrittenText(const std::string& utf8) {
    ArchiveWriter out;
    out.WriteString(utf8);
    return out.Bytes();
}

std::string ReadText(const Bytes& bytes) {
    ArchiveReader in(bytes, "prueba.map");
    std::string s = in.ReadString();
    EXPECT_EQ(in.Remaining(), 0u) << "the text must use every byte of its form";
    return s;
}

std::string ReadError(const Bytes& bytes) {
    try {
        ArchiveReader in(bytes, "prueba.map");
        in.ReadString();
    } catch (const MapFileError& e) {
        return e.what();
    }
    return "(read)";
}

struct LengthForm {
    const char* name;
    std::size_t length;
    Bytes prefix;
};

class TextLengthForms : public testing::TestWithParam<LengthForm> {};

} // namespace

TEST_P(TextLengthForms, WrittenWithTheShortestPrefix) {
    const auto& form = GetParam();
    const std::string text = Repeat('x', form.length);
    const Bytes bytes = WrittenText(text);
    ASSERT_EQ(bytes.size(), form.prefix.size() + form.length);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(form.prefix.size())),
              form.prefix);
    EXPECT_EQ(ReadText(bytes), text);
}

TEST_P(TextLengthForms, ReadFromHandMadeBytes) {
    const auto& form = GetParam();
    Bytes bytes = form.prefix;
    bytes.resize(form.prefix.size() + form.length, 'y');
    EXPECT_EQ(ReadText(bytes), Repeat('y', form.length));
}

TEST_P(TextLengthForms, RefusedWhenOneByteIsMissing) {
    const auto& form = GetParam();
    if (form.length == 0)
        return;
    Bytes bytes = form.prefix;
    bytes.resize(form.prefix.size() + form.length - 1, 'y');
    EXPECT_EQ(ReadError(bytes), "Error inesperado al leer prueba.map.");
}

INSTANTIATE_TEST_SUITE_P(
    Archive, TextLengthForms,
    testing::Values(LengthForm{"Empty", 0, {0x00}}, LengthForm{"OneByte254", 254, {0xFE}},
                    LengthForm{"Word255", 255, {0xFF, 0xFF, 0x00}},
                    LengthForm{"WordFFFD", 0xFFFD, {0xFF, 0xFD, 0xFF}},
                    LengthForm{"LongFFFE", 0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
                    LengthForm{"LongFFFF", 0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
                    LengthForm{"Long100000", 100000, {0xFF, 0xFF, 0xFF, 0xA0, 0x86, 0x01, 0x00}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Archive, LongerFormsOfShortLengthsAreRead) {
    EXPECT_EQ(ReadText({0xFF, 0x03, 0x00, 'a', 'b', 'c'}), "abc");
    EXPECT_EQ(ReadText({0xFF, 0xFF, 0xFF, 0x03, 0x00, 0x00, 0x00, 'a', 'b', 'c'}), "abc");
}

struct Cp1252Case {
    const char* utf8;
    Bytes bytes;
};

class Cp1252Texts : public testing::TestWithParam<Cp1252Case> {};

TEST_P(Cp1252Texts, WrittenByteForByteAndReadBack) {
    const auto& c = GetParam();
    Bytes expected{static_cast<std::uint8_t>(c.bytes.size())};
    expected.insert(expected.end(), c.bytes.begin(), c.bytes.end());
    EXPECT_EQ(WrittenText(c.utf8), expected);
    EXPECT_EQ(ReadText(expected), c.utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Archive, Cp1252Texts,
    testing::Values(Cp1252Case{"Calle 5", {'C', 'a', 'l', 'l', 'e', ' ', '5'}},
                    Cp1252Case{"Ñandú", {0xD1, 'a', 'n', 'd', 0xFA}},
                    Cp1252Case{"árbol Él", {0xE1, 'r', 'b', 'o', 'l', ' ', 0xC9, 'l'}},
                    Cp1252Case{"€ 5", {0x80, ' ', '5'}},
                    Cp1252Case{"¿Qué?", {0xBF, 'Q', 'u', 0xE9, '?'}},
                    Cp1252Case{"Œuvre “x”", {0x8C, 'u', 'v', 'r', 'e', ' ', 0x93, 'x', 0x94}},
                    Cp1252Case{"ü ÿ Ÿ", {0xFC, ' ', 0xFF, ' ', 0x9F}}));

TEST(Archive, UndefinedCodePageBytesSurviveARoundTrip) {
    const Bytes stored{5, 0x81, 0x8D, 0x8F, 0x90, 0x9D};
    const std::string text = ReadText(stored);
    EXPECT_EQ(WrittenText(text), stored);
}

TEST(Archive, TextOutsideTheCodePageIsWrittenAsUtf16) {
    const Bytes bytes = WrittenText("Ciudad 東京");
    const Bytes expected{0xFF, 0xFE, 0xFF, 9,   'C', 0,   'i', 0,    'u',  0,    'd',
                         0,    'a',  0,    'd', 0,   ' ', 0,   0x71, 0x67, 0xAC, 0x4E};
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(ReadText(bytes), "Ciudad 東京");
}

TEST(Archive, Utf16TextsReadInEveryLengthForm) {
    // "añ" then a character outside the basic plane as a surrogate pair.
    const Bytes units{'a', 0, 0xF1, 0, 0x3D, 0xD8, 0x00, 0xDE};
    Bytes shortForm{0xFF, 0xFE, 0xFF, 4};
    shortForm.insert(shortForm.end(), units.begin(), units.end());
    EXPECT_EQ(ReadText(shortForm), "añ😀");

    Bytes longForm{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 4, 0, 0, 0};
    longForm.insert(longForm.end(), units.begin(), units.end());
    EXPECT_EQ(ReadText(longForm), "añ😀");

    Bytes wordForm{0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01};
    for (int i = 0; i < 300; ++i)
        wordForm.insert(wordForm.end(), {'z', 0});
    EXPECT_EQ(ReadText(wordForm), Repeat('z', 300));
}

TEST(Archive, Utf16TextsThatFitTheCodePageAreWrittenAsBytes) {
    const Bytes stored{0xFF, 0xFE, 0xFF, 2, 0xF1, 0, 0xAC, 0x20}; // "ñ€"
    EXPECT_EQ(WrittenText(ReadText(stored)), (Bytes{2, 0xF1, 0x80}));
}

TEST(Archive, BrokenUtf16TextsAreRefusedOrMended) {
    EXPECT_EQ(ReadError({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF}), "Formato de archivo no esperado.");
    EXPECT_EQ(ReadError({0xFF, 0xFE, 0xFF, 2, 'a', 0, 'b'}),
              "Error inesperado al leer prueba.map.");
    // A lone surrogate cannot be kept; it becomes the replacement character.
    EXPECT_EQ(ReadText({0xFF, 0xFE, 0xFF, 1, 0x00, 0xD8}), "\xEF\xBF\xBD");
}

TEST(Archive, IntegersAndFloatsAreLittleEndian) {
    ArchiveWriter out;
    out.WriteI32(-2);
    out.WriteU32(0x01020304);
    out.WriteF32(1.0f);
    const Bytes expected{0xFE, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1, 0x00, 0x00, 0x80, 0x3F};
    ASSERT_EQ(out.Bytes(), expected);

    ArchiveReader in(expected);
    EXPECT_EQ(in.ReadI32(), -2);
    EXPECT_EQ(in.ReadU32(), 0x01020304u);
    EXPECT_EQ(in.ReadF32(), 1.0f);
    EXPECT_THROW(in.ReadU8(), MapFileError);
}

TEST(Archive, CountsMustFitInTheBytesLeft) {
    ByteBuilder b;
    b.I32(3).Raw(Bytes(11, 0));
    const Bytes tooShort = b.bytes();
    {
        ArchiveReader in(tooShort);
        EXPECT_THROW(in.ReadCount(4), MapFileError); // 12 bytes needed, 11 left
    }
    const Bytes enough = b.U8(0).bytes();
    {
        ArchiveReader in(enough);
        EXPECT_EQ(in.ReadCount(4), 3u);
    }
    const Bytes minusOne = ByteBuilder().I32(-1).bytes();
    ArchiveReader negative(minusOne);
    try {
        negative.ReadCount(1);
        ADD_FAILURE() << "a negative count was taken";
    } catch (const MapFileError& e) {
        EXPECT_STREQ(e.what(), "Formato de archivo no esperado.");
    }
}

TEST(Archive, StreamReaderMatchesMemoryReader) {
    // Large enough to cross the stream reader's buffer several times.
    Bytes bytes;
    const std::string longText = Repeat('q', 200000);
    {
        ArchiveWriter out;
        out.WriteString("corto");
        out.WriteString(longText);
        out.WriteI32(77);
        bytes = out.Bytes();
    }
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
    std::rewind(f);
    {
        ArchiveReader in(f, bytes.size(), "x.map");
        EXPECT_EQ(in.ReadString(), "corto");
        EXPECT_EQ(in.ReadString(), longText);
        EXPECT_EQ(in.ReadI32(), 77);
        EXPECT_THROW(in.ReadU8(), MapFileError);
    }
    std::fclose(f);
}

TEST(Archive, WriterReportsAStreamThatRefusesBytes) {
    std::FILE* full = std::fopen("/dev/full", "wb");
    ASSERT_NE(full, nullptr);
    {
        ArchiveWriter out(full);
        out.WriteString(Repeat('a', 100000));
        EXPECT_FALSE(out.Flush());
        EXPECT_TRUE(out.Failed());
    }
    std::fclose(full);
}
