// Remote control of the window: SCPI on a TCP port, switched on from the picture's menu (and
// remembered) or with --remote. Remote commands act on the scope as the controls do, so the
// controls follow them; while a client is connected the title says so.
#include <QAction>
#include <QMenu>
#include <QSettings>

#include "form1.h"
#include "remote/remote_server.h"
#include "scope/scope.h"
#include "settings_store.h"

namespace kalvira::ui {

namespace {

constexpr auto kGroup = "remote";

remote::ListenAddress rememberedAddress() {
    QSettings stored = settingsStore();
    const QString text = stored.value(QStringLiteral("remote/address")).toString();
    return remote::parseListenAddress(text).value_or(remote::ListenAddress{});
}

}  // namespace

void Form1::createRemoteControl() {
    remoteAction_ = addPictureCommand(tr("Remote control"), {}, true);
    connect(remoteAction_, &QAction::toggled, this, [this](bool on) {
        QSettings stored = settingsStore();
        stored.setValue(QStringLiteral("%1/enabled").arg(QLatin1String(kGroup)), on);
        if (!on) {
            if (remote_) remote_->close();
            return;
        }
        if (remote_ && remote_->isListening()) return;
        startRemoteControl(rememberedAddress());
    });
    QSettings stored = settingsStore();
    if (stored.value(QStringLiteral("%1/enabled").arg(QLatin1String(kGroup))).toBool())
        remoteAction_->setChecked(true);
}

std::optional<QString> Form1::startRemoteControl(const remote::ListenAddress &address) {
    if (!remote_) {
        remote_ = std::make_unique<remote::RemoteServer>(*scope_);
        connect(remote_.get(), &remote::RemoteServer::clientChanged, this,
                [this] { showTitle(scope_->run().progress()); });
    }
    if (const auto error = remote_->listen(address)) {
        const QString where = remote::describe(address.host, address.port);
        showNotice(tr("Remote control cannot listen on %1: %2").arg(where, *error));
        const QSignalBlocker quiet(remoteAction_);
        remoteAction_->setChecked(false);
        return error;
    }
    const QSignalBlocker quiet(remoteAction_);
    remoteAction_->setChecked(true);
    return {};
}

}  // namespace kalvira::ui
