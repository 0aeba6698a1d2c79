#pragma once
// The pictures on the window's buttons, drawn at start-up rather than shipped
// as image files, so that they stay sharp at the buttons' small sizes.
#include <QIcon>
#include <QPixmap>

enum class GlyphKind {
  // Tool box.
  Text,
  Pointer,
  Square,
  Rectangle,
  Circle,
  Ellipse,
  Line,
  Picture,
  // Font bar.
  FileNew,
  FileOpen,
  FileSave,
  PrintPreview,
  Print,
  PrintSetup,
  Help,
  Bold,
  Italic,
  Underline,
  Cut,
  Copy,
  Paste,
  BackgroundPicture,
  Grid,
  CharacterGap,  // the small picture beside the gap box
  CardIcon,      // the About box's picture
};

// A glyph for a square button: 20 x 20 (the card icon is 32 x 32).
QPixmap GlyphPixmap(GlyphKind kind);
QIcon GlyphIcon(GlyphKind kind);

// A line sample for the 59 x 11 line buttons: solid or dotted, 1 pixel wide.
QPixmap LineStyleGlyph(bool dotted);
// A solid line sample of the given width (1 to 6) for the width buttons.
QPixmap LineWidthGlyph(int width);
