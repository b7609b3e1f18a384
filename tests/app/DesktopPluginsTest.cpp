// The Qt plugins the program needs on Japanese desktops are installed (scripts/install-deps.sh):
// the input-method modules of fcitx5 and ibus, through which names are typed in Japanese, and
// the Wayland platform. Only their metadata is read: nothing is loaded or connected.
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QPluginLoader>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

// The keys every plugin of a plugin folder offers, with the plugin's file.
std::vector<std::pair<std::string, std::string>> pluginKeys(const QString& kind) {
    std::vector<std::pair<std::string, std::string>> keys;
    const QDir folder(QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/" + kind);
    for (const QString& file : folder.entryList({"*.so"}, QDir::Files)) {
        QPluginLoader loader(folder.filePath(file));
        const QJsonArray offered = loader.metaData().value("MetaData").toObject().value("Keys").toArray();
        for (const auto& key : offered) keys.emplace_back(key.toString().toStdString(), file.toStdString());
    }
    return keys;
}

TEST(DesktopPlugins, InputMethodsAndWaylandAreInstalled) {
    const struct {
        const char* kind;
        const char* key;
        const char* package;
    } cases[] = {
        {"platforminputcontexts", "fcitx5", "fcitx5-frontend-qt6"},
        {"platforminputcontexts", "ibus", "libqt6gui6"},
        {"platforms", "wayland", "qt6-wayland"},
    };
    for (const auto& c : cases) {
        const auto keys = pluginKeys(c.kind);
        const bool found = std::any_of(keys.begin(), keys.end(), [&](const auto& k) { return k.first == c.key; });
        EXPECT_TRUE(found) << "no " << c.kind << " plugin offers \"" << c.key << "\" in "
                           << QLibraryInfo::path(QLibraryInfo::PluginsPath).toStdString()
                           << " (Debian package " << c.package << ")";
    }
}

}  // namespace
