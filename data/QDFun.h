#pragma once

#include <QString>

// Free helpers shared by every window. They hold no state.
namespace QDFun {

// The value as text with the given decimals (0..9, anything else 0), rounded by
// one of the Chinese rounding modes: "五舍六入", "三舍四入", "二舍三入",
// "一舍二入"; any other mode rounds half away from zero.
QString RoundText(int decimals, const QString& mode, double value);

// An amount written in Chinese capital numerals ("壹仟贰佰叁拾肆元伍角整").
QString AmountInCapitals(const QString& text);

// The last n characters of "000000000" + text.
QString PadLeft(const QString& text, int n);

// The text after the n-th separator, up to the next one; n = 0 is the text
// before the first, n = -1 the rest after the last. Empty when there is no such piece.
QString Piece(const QString& text, const QString& separator, int n);

inline int Max(int a, int b) { return a > b ? a : b; }
inline int Min(int a, int b) { return a < b ? a : b; }

bool IsFolder(const QString& path);

// The system's temporary folder, at most 255 characters.
QString TempFolder();

// Copies a file, a whole folder, or the files a wildcard name matches, creating
// folders as needed and replacing what is there, without asking. True when
// everything was copied.
bool CopyFiles(const QString& source, const QString& target);

// Name of a scratch file this program leaves in a folder while it works (copies
// before repair, unpacked backups). Only names made here are removed by
// DeleteTableFiles.
QString LeftoverFileName(const QString& purpose);

// Removes the scratch files an earlier run of this program left in the folder
// (see LeftoverFileName); every other file is left alone. Returns how many were removed.
int DeleteTableFiles(const QString& folder);

// Round half away from zero to the given decimals, in decimal arithmetic over
// the value's 15 significant digits, as a count of units of 10^-decimals.
// nullopt when the value is too large to count that way.
bool DecimalUnits(double value, int decimals, __int128* units);
QString FormatUnits(__int128 units, int decimals);

}  // namespace QDFun
