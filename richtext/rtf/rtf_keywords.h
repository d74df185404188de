#pragma once
// The control words the reader understands. Everything else is ignored, and an unknown destination
// marked with \* is skipped as a whole.

#include <cstdint>
#include <string_view>

enum class TRtfKeyword : std::uint16_t {
  kwUnknown,
  // A destination whose content is never shown (style sheet, document information, headers, ...).
  kwSkipDestination,
  // Document
  kwRtf, kwAnsi, kwMac, kwPc, kwPca, kwAnsiCpg, kwDeff, kwDefTab, kwUc, kwU,
  // Destinations with a meaning
  kwFontTable, kwColorTable, kwField, kwFieldInstruction, kwFieldResult, kwPicture, kwShapePicture,
  kwNonShapePicture, kwObject, kwObjectResult, kwShape, kwShapeResult, kwParaNumbering, kwListTable,
  kwListOverrideTable, kwList, kwListLevel, kwListOverride,
  // Font table
  kwFont, kwFontNil, kwFontRoman, kwFontSwiss, kwFontModern, kwFontScript, kwFontDecor, kwFontTech,
  kwFontBidi, kwFontCharset, kwFontPitch, kwCodePage,
  // Colour table
  kwRed, kwGreen, kwBlue,
  // Character formats
  kwPlain, kwBold, kwItalic, kwUnderline, kwUnderlineNone, kwUnderlineDotted, kwUnderlineDouble,
  kwUnderlineDashed, kwUnderlineWords, kwUnderlineWave, kwUnderlineThick, kwStrike, kwFontSize, kwColor,
  kwHighlight, kwBackground, kwSuper, kwSub, kwNoSuperSub, kwHidden,
  // Paragraph formats
  kwPard, kwAlignLeft, kwAlignCenter, kwAlignRight, kwAlignJustify, kwLeftIndent, kwRightIndent,
  kwFirstIndent, kwSpaceBefore, kwSpaceAfter, kwLineSpacing, kwLineMultiple, kwTabPosition, kwTabRight,
  kwTabCenter, kwTabDecimal, kwListIndex, kwListLevelIndex,
  // Old-style paragraph numbering (inside \pn)
  kwPnBullet, kwPnBody, kwPnContinue, kwPnLevel, kwPnDecimal, kwPnLowerLetter, kwPnUpperLetter,
  kwPnLowerRoman, kwPnUpperRoman, kwPnStart,
  // List tables
  kwListId, kwLevelNumberFormat, kwLevelStartAt,
  // Breaks and special characters
  kwPar, kwSect, kwLine, kwPage, kwTab, kwCell, kwRow, kwEmDash, kwEnDash, kwBullet, kwLeftQuote,
  kwRightQuote, kwLeftDoubleQuote, kwRightDoubleQuote, kwEmSpace, kwEnSpace, kwQuarterEmSpace,
  kwZeroWidthJoiner, kwZeroWidthNonJoiner, kwZeroWidthBreak, kwZeroWidthNoBreak, kwLtrMark, kwRtlMark,
  // Pictures
  kwPng, kwJpeg, kwEmf, kwWmf, kwDib, kwBitmap, kwPicWidth, kwPicHeight, kwPicGoalWidth, kwPicGoalHeight,
  kwPicScaleX, kwPicScaleY,
};

TRtfKeyword LookUpKeyword(std::string_view word);
