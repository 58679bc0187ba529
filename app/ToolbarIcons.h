#pragma once
#include <QIcon>

/// The pictures of the toolbar buttons, in toolbar order.
enum class ToolbarGlyph { New, Open, Save, Cut, Copy, Paste, Print, About, Validate };

/// A button picture of 16 by 15 units, drawn anew at every size so it stays sharp at any
/// scale factor, and so that no image files need to ship with the program.
QIcon ToolbarIcon(ToolbarGlyph glyph);
/// The program's icon: a script page marked with a C.
QIcon ApplicationIcon();
