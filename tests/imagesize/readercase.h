#pragma once

#include "imagesize/imagesize.h"
#include "scratchfolder.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

inline void PrintTo(const ImageSizeInfo& info, std::ostream* out)
{
    *out << "{Kind " << info.Kind << ", Width " << info.Width << ", Height " << info.Height
         << ", BitsPerPixel " << info.BitsPerPixel << "}";
}

// One file's bytes and what a reader must find in them.
struct ReaderCase
{
    std::string name;
    QByteArray bytes;
    ImageSizeInfo expected;
};

inline std::string readerCaseName(const testing::TestParamInfo<ReaderCase>& info)
{
    return info.param.name;
}

// Writes the case's bytes to a file and reads it back with the reader.
inline ImageSizeInfo readCase(ImageSizeInfo (*reader)(const std::filesystem::path&), const ReaderCase& sample)
{
    ScratchFolder folder;
    return reader(folder.write("sample", sample.bytes));
}
