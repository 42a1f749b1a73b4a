#include "call/CallDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHostInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "call/ControlChannel.h"
#include "settings/SettingsStore.h"
#include "settings/TerminalSettings.h"

namespace {
// Dotted IPv4 text, each part 0-255.
const QString kIpv4Pattern = QStringLiteral(
    R"(^((25[0-5]|2[0-4]\d|1\d\d|[1-9]?\d)\.){3}(25[0-5]|2[0-4]\d|1\d\d|[1-9]?\d)$)");

QPushButton* MakeButton(const QString& text, const QString& controlId, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(controlId);
    button->setAutoDefault(false);
    return button;
}
}  // namespace

CallDialog::CallDialog(SettingsStore& store, ControlChannel& channel, MessageBoxes& boxes,
                       QWidget* parent)
    : QDialog(parent),
      store_(store),
      channel_(channel),
      boxes_(boxes),
      domainEdit_(new QLineEdit(this)),
      resolveButton_(MakeButton(QStringLiteral("解析"), QStringLiteral("1176"), this)),
      addressEdit_(new QLineEdit(this)),
      portEdit_(new QLineEdit(this)),
      contactsButton_(MakeButton(QStringLiteral("通讯录"), QStringLiteral("1168"), this)),
      contactText_(new QLabel(this)),
      progressText_(new QLabel(this)),
      connectButton_(MakeButton(QStringLiteral("连接"), QStringLiteral("connect"), this)),
      quitButton_(MakeButton(QStringLiteral("退出"), QStringLiteral("quit"), this)) {
    setWindowTitle(QStringLiteral("点对点呼叫"));
    domainEdit_->setObjectName(QStringLiteral("1175"));
    addressEdit_->setObjectName(QStringLiteral("1083"));
    addressEdit_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(kIpv4Pattern), addressEdit_));
    portEdit_->setObjectName(QStringLiteral("1003"));
    contactText_->setObjectName(QStringLiteral("1169"));
    progressText_->setObjectName(QStringLiteral("progress"));
    BuildLayout();

    const TerminalSettings& settings = store_.Settings();
    addressEdit_->setText(settings.partnerAddress());
    portEdit_->setText(settings.servicePort());
    contactText_->setText(settings.contactName());

    connect(resolveButton_, &QPushButton::clicked, this, &CallDialog::Resolve);
    connect(connectButton_, &QPushButton::clicked, this, &CallDialog::Call);
    connect(quitButton_, &QPushButton::clicked, this, &CallDialog::reject);
    // The address book is not part of the terminal yet; its button waits.
}

void CallDialog::BuildLayout() {
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("域    名:"), this), 0, 0);
    grid->addWidget(domainEdit_, 0, 1);
    grid->addWidget(resolveButton_, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("IP 地 址:"), this), 1, 0);
    grid->addWidget(addressEdit_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("端 口 号:"), this), 2, 0);
    grid->addWidget(portEdit_, 2, 1);
    grid->addWidget(contactsButton_, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("联 系 人："), this), 3, 0);
    grid->addWidget(contactText_, 3, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(connectButton_);
    buttons->addWidget(quitButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(progressText_);
    layout->addLayout(buttons);
}

void CallDialog::Resolve() {
    const QString domain = domainEdit_->text().trimmed();
    if (domain.isEmpty()) {
        boxes_.Inform("请输入域名地址！");
        return;
    }
    resolveButton_->setEnabled(false);
    progressText_->setText(QStringLiteral("正在解析域名..."));
    QHostInfo::lookupHost(domain, this, &CallDialog::OnResolved);
}

void CallDialog::OnResolved(const QHostInfo& info) {
    resolveButton_->setEnabled(!connecting_);
    progressText_->clear();
    for (const QHostAddress& address : info.addresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol) {
            store_.Settings().SetPartnerAddress(address.toString());
            addressEdit_->setText(address.toString());
            return;
        }
    }
    boxes_.Inform(QStringLiteral("域名“%1”解析失败！").arg(info.hostName()).toStdString());
}

void CallDialog::Call() {
    TerminalSettings& settings = store_.Settings();
    settings.SetPartnerAddress(addressEdit_->text());
    settings.SetServicePort(portEdit_->text());
    settings.SetContactName(contactText_->text());
    store_.Write(Setting::Ip, addressEdit_->text());
    store_.Write(Setting::ConnectPort, portEdit_->text());
    store_.Write(Setting::Contact, contactText_->text());

    connecting_ = true;
    SetInputsEnabled(false);
    progressText_->setText(
        QStringLiteral("正在连接 %1:%2 ...").arg(addressEdit_->text(), portEdit_->text()));
    connect(&channel_, &ControlChannel::ConnectFinished, this, &CallDialog::OnConnectFinished,
            Qt::SingleShotConnection);
    channel_.Connect();
}

void CallDialog::OnConnectFinished() {
    connecting_ = false;
    progressText_->clear();
    SetInputsEnabled(true);
    done(QDialog::Rejected);
}

void CallDialog::reject() {
    if (!connecting_) {
        QDialog::reject();
    }
}

void CallDialog::SetInputsEnabled(bool enabled) {
    for (QWidget* input :
         {static_cast<QWidget*>(domainEdit_), static_cast<QWidget*>(resolveButton_),
          static_cast<QWidget*>(addressEdit_), static_cast<QWidget*>(portEdit_),
          static_cast<QWidget*>(connectButton_), static_cast<QWidget*>(quitButton_)}) {
        input->setEnabled(enabled);
    }
}
