#pragma once

#include <QString>
#include <QStringList>

namespace host {

// Why Qt could not make the application, read from what its platform layer said before it gave up.
struct StartupFailure {
    enum class Cause {
        Display,          // the platform plugin loaded, but could not reach its display
        MissingPlugin,    // no platform plugin of that name is installed
        UnloadablePlugin, // the plugin is installed, but could not be loaded (a library it needs)
    };
    Cause cause = Cause::Display;
    QString plugin; // for the plugin causes, the plugin's name
    friend bool operator==(StartupFailure const&, StartupFailure const&) = default;
};

// A plugin that is missing explains the failure before any other: Qt tries another plugin after it,
// whose own failure is only a consequence (a Wayland session without the Wayland plugin falls back to
// X, which has no display there).
StartupFailure startupFailure(QStringList const& platformMessages);

// The Debian package that brings a platform plugin of Qt; empty for one it does not know.
QString packageOfPlatformPlugin(QString const& plugin);

} // namespace host
