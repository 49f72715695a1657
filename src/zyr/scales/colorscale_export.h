// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Picture export shared by the colour scale and the gauge: the control's paint steps run on
/// a raster bitmap or a vector canvas.

#include <zyr/platform/host/canvas.h>

#include <functional>
#include <string>

namespace zyr::scales_detail {

/// Runs \p draw on a Width x Height picture and writes it to \p FileName: .svg and .pdf as
/// vector pictures, anything else as a raster image by its extension. False for an empty
/// size or a file that cannot be written.
bool ExportPicture(const std::string& FileName, int Width, int Height,
                   const std::function<void(TCanvas&)>& draw);
/// The same picture as an SVG document (empty for an empty size).
std::string ExportPictureSVG(int Width, int Height, const std::function<void(TCanvas&)>& draw);

}  // namespace zyr::scales_detail
