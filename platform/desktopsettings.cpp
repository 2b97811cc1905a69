// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopsettings.h"

#include <QApplication>
#include <QDir>
#include <QLibrary>
#include <QLibraryInfo>

// GIO names a member after Qt's "signals" keyword.
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

#include <cmath>
#include <optional>
#include <type_traits>

namespace {
// The few calls of GIO that read GNOME's settings. GIO is loaded only on a
// GNOME desktop, where it is in memory anyway; linked, it would cost every
// start a few milliseconds.
struct Gio
{
    decltype(&g_settings_schema_source_get_default) defaultSchemas;
    decltype(&g_settings_schema_source_lookup) lookupSchema;
    decltype(&g_settings_schema_has_key) schemaHasKey;
    decltype(&g_settings_schema_unref) unrefSchema;
    decltype(&g_settings_new_full) settingsOf;
    decltype(&g_settings_get_double) getDouble;
    decltype(&g_settings_get_boolean) getBoolean;
    decltype(&g_signal_connect_data) connectSignal;
    decltype(&g_object_unref) unref;
};

bool onGnome()
{
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':');
    return desktops.contains(QStringLiteral("GNOME"), Qt::CaseInsensitive);
}

const Gio *gio()
{
    static const std::optional<Gio> loaded = []() -> std::optional<Gio> {
        QLibrary library(QStringLiteral("gio-2.0"), 0);
        bool resolved = library.load();
        Gio gio {};
        const auto resolve = [&](auto &function, const char *name) {
            function = resolved ? reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                                      library.resolve(name))
                                : nullptr;
            resolved = function != nullptr;
        };
        resolve(gio.defaultSchemas, "g_settings_schema_source_get_default");
        resolve(gio.lookupSchema, "g_settings_schema_source_lookup");
        resolve(gio.schemaHasKey, "g_settings_schema_has_key");
        resolve(gio.unrefSchema, "g_settings_schema_unref");
        resolve(gio.settingsOf, "g_settings_new_full");
        resolve(gio.getDouble, "g_settings_get_double");
        resolve(gio.getBoolean, "g_settings_get_boolean");
        resolve(gio.connectSignal, "g_signal_connect_data");
        resolve(gio.unref, "g_object_unref");
        return resolved ? std::optional(gio) : std::nullopt;
    }();
    return loaded ? &*loaded : nullptr;
}

// GNOME's settings of a schema that has the key; null off GNOME, or where
// its schemas are not installed. (Asking GSettings for a schema or key it
// does not know would end the program.)
GSettings *gnomeSettings(const char *schemaId, const char *key)
{
    const Gio *g = onGnome() ? gio() : nullptr;
    GSettingsSchemaSource *schemas = g ? g->defaultSchemas() : nullptr;
    GSettingsSchema *schema = schemas ? g->lookupSchema(schemas, schemaId, TRUE) : nullptr;
    if (!schema)
        return nullptr;
    GSettings *settings =
        g->schemaHasKey(schema, key) ? g->settingsOf(schema, nullptr, nullptr) : nullptr;
    g->unrefSchema(schema);
    return settings;
}

// The platform Qt will pick, as Qt picks it: the -platform argument, else
// QT_QPA_PLATFORM, else the session's type.
bool runsOnWayland(int argc, char **argv)
{
    QString platform;
    for (int i = 1; i + 1 < argc; ++i) {
        if (qstrcmp(argv[i], "-platform") == 0 || qstrcmp(argv[i], "--platform") == 0)
            platform = QString::fromLocal8Bit(argv[i + 1]);
    }
    if (platform.isEmpty())
        platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (platform.isEmpty() && qEnvironmentVariable("XDG_SESSION_TYPE") == u"wayland")
        platform = QStringLiteral("wayland");
    if (!platform.section(u';', 0, 0).startsWith(u"wayland"))
        return false;
    // Without Qt's Wayland plugin Qt falls back to X11, and to Xft.dpi.
    const QDir plugins(
        QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms"));
    return !plugins.entryList({QStringLiteral("libqwayland*")}, QDir::Files).isEmpty();
}

QPalette desktopPalette;
bool highContrastInForce = false;

void applyHighContrast(bool on)
{
    if (on == highContrastInForce)
        return;
    if (on)
        desktopPalette = QApplication::palette();
    highContrastInForce = on;
    QApplication::setPalette(on ? DesktopSettings::highContrastPalette() : desktopPalette);
}

void highContrastSwitched(GSettings *settings, const char *key, gpointer)
{
    applyHighContrast(gio()->getBoolean(settings, key));
}
} // namespace

namespace DesktopSettings {

void followTextScaling(int argc, char **argv)
{
    if (!qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR") ||
        !qEnvironmentVariableIsEmpty("QT_SCREEN_SCALE_FACTORS") || !runsOnWayland(argc, argv))
        return;
    GSettings *settings = gnomeSettings("org.gnome.desktop.interface", "text-scaling-factor");
    if (!settings)
        return;
    const double factor = gio()->getDouble(settings, "text-scaling-factor");
    gio()->unref(settings);
    // GNOME offers 0.5 to 3; anything else is no choice a player made.
    if (std::isfinite(factor) && factor >= 0.5 && factor <= 3.0 && factor != 1.0)
        qputenv("QT_SCALE_FACTOR", QByteArray::number(factor));
}

void followHighContrast()
{
    // Kept for the program's life: GSettings tells it of every switch.
    static GSettings *const settings = [] {
        GSettings *a11y = gnomeSettings("org.gnome.desktop.a11y.interface", "high-contrast");
        if (a11y) {
            // GSettings reports a change only of a key read after the
            // handler was connected.
            gio()->connectSignal(a11y, "changed::high-contrast", G_CALLBACK(highContrastSwitched),
                nullptr, nullptr, GConnectFlags(0));
        }
        return a11y;
    }();
    if (settings)
        applyHighContrast(gio()->getBoolean(settings, "high-contrast"));
}

QPalette highContrastPalette()
{
    const QColor ink(Qt::black);
    const QColor paper(Qt::white);
    // Greyed text reads at 7:1 on the scroll-bar shade of the face too.
    const QColor greyInk(0x3d, 0x3d, 0x3d);
    const QColor selection(0x0b, 0x3d, 0x91);
    QPalette palette(ink, paper, paper, ink, greyInk, ink, paper, paper, paper);
    palette.setColor(QPalette::ButtonText, ink);
    palette.setColor(QPalette::Highlight, selection);
    palette.setColor(QPalette::HighlightedText, paper);
    palette.setColor(QPalette::Link, selection);
    palette.setColor(QPalette::LinkVisited, selection);
    palette.setColor(QPalette::ToolTipBase, paper);
    palette.setColor(QPalette::ToolTipText, ink);
    palette.setColor(QPalette::PlaceholderText, greyInk);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, greyInk);
    return palette;
}

} // namespace DesktopSettings
