#pragma once

// Enumerations and option sets shared by the style sheet, the document items, formatting and
// painting. The values carry their type's prefix, so they are plain (unscoped) enumerations.

#include "docview/dv_set.h"

#include <cstdint>

enum TDVBiDiMode : std::uint8_t { dvbdUnspecified, dvbdLeftToRight, dvbdRightToLeft };

enum TDVAlignment : std::uint8_t { dvaLeft, dvaRight, dvaCenter, dvaJustify };

enum TDVLineSpacingType : std::uint8_t { dvlsPercent, dvlsSpaceBetween };

enum TDVParaOption : std::uint8_t {
    dvpaoNoWrap,
    dvpaoReadOnly,
    dvpaoStyleProtect,
    dvpaoDoNotWantReturns
};
using TDVParaOptions = DVSet<TDVParaOption>;

// Font style additions that the platform font does not carry.
enum TDVFontStyleEx : std::uint8_t { dvfsOverline, dvfsAllCaps };
using TDVFontStylesEx = DVSet<TDVFontStyleEx>;

enum TDVTextOption : std::uint8_t { dvteoHTMLCode, dvteoRTFCode };
using TDVTextOptions = DVSet<TDVTextOption>;

enum TDVProtectOption : std::uint8_t {
    dvprStyleProtect,
    dvprModifyProtect,
    dvprDeleteProtect,
    dvprConcateProtect,
    dvprDoNotAutoSwitch
};
using TDVProtectOptions = DVSet<TDVProtectOption>;

enum TDVBorderStyle : std::uint8_t {
    dvbNone,
    dvbSingle,
    dvbDouble,
    dvbTriple,
    dvbThickInside,
    dvbThickOutside
};

// State of a text run being drawn.
enum TDVTextDrawStateValue : std::uint8_t {
    dvtsSelected,
    dvtsHover,
    dvtsItemFocused,
    dvtsControlFocused
};
using TDVTextDrawState = DVSet<TDVTextDrawStateValue>;

// State of a non-text item being drawn.
enum TDVItemDrawStateValue : std::uint8_t {
    dvidsSelected,
    dvidsCurrent,
    dvidsHover,
    dvidsPrinting,
    dvidsPreview,
    dvidsPreviewCorrection,
    dvidsControlFocused
};
using TDVItemDrawState = DVSet<TDVItemDrawStateValue>;

// How colours are mapped when printing.
enum TDVColorMode : std::uint8_t {
    dvcmColor,
    dvcmPrinterColor,
    dvcmGrayScale,
    dvcmBlackAndWhite,
    dvcmBlackOnWhite
};

enum TDVItemOption : std::uint8_t { dvioSameAsPrev, dvioPageBreakBefore, dvioBR, dvioUnicode };
using TDVItemOptions = DVSet<TDVItemOption>;

enum TDVFlag : std::uint8_t {
    dvflUseJumps,
    dvflTrim,
    dvflShareContents,
    dvflUseExternalLeading,
    dvflMouseXYAlwaysCorrect,
    dvflAllowCustomDrawItems,
    dvflPrinting,
    dvflRootEditor,
    dvflRoot
};
using TDVFlags = DVSet<TDVFlag>;

enum TDVOption : std::uint8_t {
    dvoAllowSelection,
    dvoScrollToEnd,
    dvoShowPageBreaks,
    dvoAutoCopyText,
    dvoAutoCopyDVF,
    dvoAutoCopyImage,
    dvoAutoCopyRTF,
    dvoFormatInvalidate,
    dvoDblClickSelectsWord,
    dvoRClickDeselects,
    dvoClientTextWidth,
    dvoTagsArePChars,
    dvoShowCheckpoints
};
using TDVOptions = DVSet<TDVOption>;

enum TDVStateValue : std::uint8_t {
    dvstSkipFormatting,
    dvstResizing,
    dvstClearing,
    dvstFirstParaAborted,
    dvstLastParaAborted
};
using TDVState = DVSet<TDVStateValue>;

enum TDVItemBoolProperty : std::uint8_t {
    dvbpValid,
    dvbpRequiresDVFLines,
    dvbpFullWidth,
    dvbpDisplayActiveState,
    dvbpDrawingChangesFont,
    dvbpCanSaveUnicode,
    dvbpAlwaysInText,
    dvbpImmediateControlOwner,
    dvbpResizable,
    dvbpResizeHandlesOutside
};

enum TDVItemBoolPropertyEx : std::uint8_t {
    dvbpPrintToBMP,
    dvbpJump,
    dvbpAllowsFocus,
    dvbpXORFocus,
    dvbpHotColdJump
};

enum TDVBreakStyle : std::uint8_t { dvbsLine, dvbsRectangle, dvbs3d };

// Placement of the background bitmap (stored as one byte; the values are fixed).
enum TBackgroundStyle : std::uint8_t {
    bsNoBitmap = 0,
    bsStretched = 1,
    bsTiled = 2,
    bsTiledAndScrolled = 3,
    bsCentered = 4
};

enum TDVItemBackgroundStyle : std::uint8_t { dvbsColor, dvbsStretched, dvbsTiled, dvbsCentered };

enum TDVPageBreakType : std::uint8_t { dvpbSoftPageBreak, dvpbPageBreak };

enum TDVPaletteAction : std::uint8_t {
    dvpaDoNothing,
    dvpaAssignPallette,
    dvpaCreateCopies,
    dvpaCreateCopiesEx
};

// Notifications an item sends to its view while it is added or destroyed.
enum TDVItemAction : std::uint8_t { dviaInserting, dviaInserted, dviaDestroying };

// Step reported by the printing component's progress events.
enum TDVPrintingStep : std::uint8_t { dvpsStarting, dvpsProceeding, dvpsFinished };
