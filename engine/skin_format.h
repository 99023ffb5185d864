/*
 * The skin file format of SkinH_EL.dll (".SHE", version 1).
 *
 * All numbers are little-endian. A skin is one block of bytes:
 *
 *   offset  size  field
 *   0       4     magic, the bytes ".SHE"
 *   4       2     version, 1
 *   6       2     header size, 16
 *   8       4     total size of the skin in bytes, header included; it must equal the
 *                 length handed to SkinH_AttachRes
 *   12      4     CRC-32 (the IEEE polynomial, as zlib computes it) of bytes 16 .. total
 *   16      ...   sections, back to back up to the total size
 *
 * A section is a four-byte tag, a 32-bit payload size, the payload, and zero bytes up to the
 * next multiple of four. Sections of unknown tags are skipped, so later versions can add some.
 *
 *   "NAME"  optional, at most once: the skin's name, 1 to 63 bytes of text, no NUL.
 *   "COLR"  required, once: SKIN_COLOUR_COUNT colours, 4 bytes each, 0x00BBGGRR (a COLORREF).
 *           Longer tables are allowed; the entries past the known ones are ignored.
 *   "METR"  required, once: SKIN_METRIC_COUNT bytes of metrics (below), each within its range.
 *   "BITM"  optional, at most once per id: a small picture.
 *             u16 id (SkinBitmapId), u16 width, u16 height (1 to 256 each), u16 0,
 *             then width * height pixels, rows top to bottom, 4 bytes each: blue, green, red, 0.
 *           The payload size must be exactly 8 + width * height * 4.
 *
 * Anything else (wrong magic or version, a total that differs from the length, a section that
 * runs past the end, a bad checksum, a missing or repeated section, a value out of range) makes
 * the whole skin invalid, and the engine refuses it.
 */
#ifndef SKINH_SKIN_FORMAT_H
#define SKINH_SKIN_FORMAT_H

#define SKIN_MAGIC "\x2E\x53\x48\x45" /* ".SHE" */
#define SKIN_VERSION 1
#define SKIN_HEADER_SIZE 16
#define SKIN_NAME_MAX 63
#define SKIN_BITMAP_MAX_SIDE 256

/* Entries of the "COLR" table. */
enum SkinColour {
    SkinWindowBg,        /* window, dialog and tab page background */
    SkinWindowText,      /* static text on the background */
    SkinCaptionFrom,     /* active caption, top of its gradient */
    SkinCaptionTo,       /* active caption, bottom */
    SkinCaptionText,
    SkinInactiveFrom,    /* inactive caption */
    SkinInactiveTo,
    SkinInactiveText,
    SkinFrameOuter,      /* the window frame's outer line */
    SkinFrameInner,      /* the rest of the frame */
    SkinButtonFrom,      /* push button face, top */
    SkinButtonTo,        /* push button face, bottom */
    SkinButtonBorder,
    SkinButtonText,
    SkinButtonHotFrom,   /* under the pointer */
    SkinButtonHotTo,
    SkinButtonPressFrom, /* pressed */
    SkinButtonPressTo,
    SkinDisabledText,
    SkinTabFrom,         /* tab that is not selected */
    SkinTabTo,
    SkinTabSelFrom,      /* the selected tab */
    SkinTabSelTo,
    SkinTabText,
    SkinTabSelText,
    SkinPageBorder,      /* tab page and tab outlines */
    SkinHeaderFrom,      /* list header */
    SkinHeaderTo,
    SkinHeaderText,
    SkinListBg,
    SkinListText,
    SkinListAltRow,      /* every second row */
    SkinSelectionBg,     /* selected list row */
    SkinSelectionText,
    SkinCaptionButton,   /* caption button face */
    SkinCaptionButtonHot,
    SkinCloseHot,        /* the close button under the pointer or pressed */
    SkinGlyph,           /* the marks on the caption buttons */
    SkinAccent,          /* focus and default-button outline */
    SKIN_COLOUR_COUNT
};

/* Bytes of the "METR" section, with their ranges. */
enum SkinMetric {
    SkinButtonRadius,       /* 0..12: corner radius of push buttons */
    SkinTabRadius,          /* 0..8: corner radius of the tabs' upper corners */
    SkinCaptionButtonShape, /* 0 square, 1 rounded, 2 round */
    SkinGloss,              /* 0..255: strength of the light band on buttons, tabs and caption */
    SkinCaptionBold,        /* 0 or 1 */
    SkinCaptionAlign,       /* 0 left, 1 centred */
    SkinFrameWidth,         /* 1..8: drawn frame lines, outer line included */
    SkinReserved,           /* 0 */
    SKIN_METRIC_COUNT
};

/* Pictures a skin may carry. */
enum SkinBitmapId {
    SkinBitmapCaption = 1,    /* tiled across the active caption in place of its gradient */
    SkinBitmapBackground = 2, /* tiled over window backgrounds */
    SKIN_BITMAP_ID_MAX = 2
};

#endif
