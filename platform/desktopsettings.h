// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPalette>

// What a GNOME desktop asks of every program for players who see less well,
// and Qt before 6.10 does not follow: Large Text and High Contrast. They are
// read from GNOME's own settings store (GSettings), as GTK reads them
// outside a sandbox, and only where the desktop is GNOME; anywhere else, or
// where a setting is missing or makes no sense, nothing changes.
namespace DesktopSettings {

// Makes the whole program as much larger as GNOME's Large Text asks, where
// Qt does not do so itself: on Wayland (on X11 the desktop passes the factor
// on as Xft.dpi, which Qt follows), and unless the user gave Qt a factor of
// their own. Call before the QApplication is made; takes effect at start.
void followTextScaling(int argc, char **argv);

// Gives the program a high-contrast palette while GNOME's High Contrast is
// on, now and whenever it is switched. Call once the QApplication stands.
void followHighContrast();

// Black on white, the selection in a deep blue; every text 7:1 or more.
QPalette highContrastPalette();

} // namespace DesktopSettings
