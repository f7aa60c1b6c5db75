#include "archive.h"

#include <gtest/gtest.h>

TEST(Archive, Placeholder) {
    ArchiveWriter w;
    w.WriteString("a");
    EXPECT_EQ(w.Bytes().size(), 2u);
}
