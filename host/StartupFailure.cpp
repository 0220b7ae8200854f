#include "host/StartupFailure.h"

#include <QRegularExpression>

#include <optional>

namespace host {

namespace {

// The plugin named in a message of Qt's plugin loader that starts with lead.
std::optional<QString> pluginIn(QString const& message, QString const& lead) {
    static QRegularExpression const quoted(QStringLiteral("\"([^\"]*)\""));
    if (!message.startsWith(lead))
        return std::nullopt;
    QRegularExpressionMatch const match = quoted.match(message, lead.size());
    return match.hasMatch() ? std::optional(match.captured(1)) : std::nullopt;
}

} // namespace

StartupFailure startupFailure(QStringList const& platformMessages) {
    std::optional<QString> unloadable;
    bool unreachable = false;
    for (QString const& message : platformMessages) {
        if (auto const plugin = pluginIn(message, QStringLiteral("Could not find the Qt platform plugin")))
            return {StartupFailure::Cause::MissingPlugin, *plugin};
        if (auto const plugin = pluginIn(message, QStringLiteral("Could not load the Qt platform plugin"));
            plugin && !unloadable)
            unloadable = plugin;
        if (message.startsWith(QStringLiteral("could not connect to display")) ||
            message.startsWith(QStringLiteral("Failed to create wl_display")))
            unreachable = true;
    }
    // A plugin that cannot reach its display also reports that it could not be loaded.
    if (unloadable && !unreachable)
        return {StartupFailure::Cause::UnloadablePlugin, *unloadable};
    return {};
}

QString packageOfPlatformPlugin(QString const& plugin) {
    if (plugin.startsWith(QStringLiteral("wayland")))
        return QStringLiteral("qt6-wayland");
    if (plugin == QStringLiteral("xcb") || plugin == QStringLiteral("offscreen") ||
        plugin == QStringLiteral("minimal") || plugin == QStringLiteral("linuxfb") ||
        plugin == QStringLiteral("vkkhrdisplay"))
        return QStringLiteral("libqt6gui6");
    if (plugin == QStringLiteral("eglfs") || plugin == QStringLiteral("minimalegl"))
        return QStringLiteral("libqt6opengl6");
    if (plugin == QStringLiteral("vnc"))
        return QStringLiteral("qt6-qpa-plugins");
    return {};
}

} // namespace host
