#pragma once

#include "platform/forms/std_picture.h"

#include <memory>
#include <string>

namespace forms {

// A picture read from a bitmap (.bmp) or icon (.ico) file; an icon comes at the size of its first
// image. An empty path gives an empty picture (no image). RuntimeError 53 when the file is missing (76 its
// folder), 481 when it holds no picture of these kinds.
std::shared_ptr<StdPicture> LoadPicture(const std::wstring& path = {});

// Writes a bitmap as a 24-bit .bmp file and an icon as an .ico file, replacing the file.
// RuntimeError 380 for an empty picture, 76 when the folder is missing, 75 when the file cannot
// be written.
void SavePicture(const StdPicture& picture, const std::wstring& path);

} // namespace forms
