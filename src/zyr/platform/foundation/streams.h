// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// One text line per string on a stream, for any string content.

#include <istream>
#include <ostream>
#include <string>

namespace zyr {

/// Line end conventions accepted by ReadLnStream.
enum TLineEndMode : int {
  lemLF = 1,    ///< only LF ends a line
  lemCRLF = 2,  ///< only CR LF ends a line
  lemAny = 4,   ///< LF, CR LF or a lone CR end a line (what WriteLnStream's readers use)
};

/// Writes \p s as one line ended by CR LF. Characters a line cannot hold are escaped with a
/// backslash: `\\` for a backslash, `\n` for LF, `\r` for CR and `\0` for NUL; all other bytes
/// (UTF-8 included) are written as they are. ReadLnStream gives back exactly \p s.
void WriteLnStream(std::ostream& os, const std::string& s);

/// Reads one line written by WriteLnStream and undoes its escapes; an unknown escape is kept
/// as it stands. \p EolMode is a TLineEndMode. \p EndOfStream is true only when no line was
/// left to read (the result is then empty); a last line without a line end still counts.
std::string ReadLnStream(std::istream& is, int EolMode, bool& EndOfStream);

}  // namespace zyr
