#include "app/TerminalWindow.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSystemTrayIcon>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/CommandIds.h"
#include "app/FullPictureView.h"
#include "app/MenuDefinitions.h"
#include "app/PictureArea.h"
#include "app/StatusPanes.h"
#include "app/ToolbarImages.h"
#include "settings/SettingsStore.h"

TerminalWindow::TerminalWindow(MessageBoxes& boxes, SettingsStore& store, QSize screenSize,
                               QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      boxes_(boxes),
      store_(store),
      screenSize_(screenSize),
      units_(DialogUnits::ForFont(DialogUnits::DialogFont())) {
    // The pictures are linked in from a static library.
    Q_INIT_RESOURCE(videophone);
    setFont(DialogUnits::DialogFont());
    setWindowTitle(QString::fromUtf8(kCaption));
    BuildControls();
    BuildToolBar();
    BuildTray();
    fullPicture_ = new FullPictureView(this);
    fullPicture_->SetCheckMarks([this](int id) { return IsMenuChecked(id); });
    connect(fullPicture_, &FullPictureView::CommandChosen, this, &TerminalWindow::RunCommand);
    connect(remotePicture_, &PictureArea::LeftDoubleClicked, this,
            &TerminalWindow::RunFullPictureView);
    RegisterCommands();
    // Enter and Escape are dropped anywhere in this window, before the focused
    // control sees them.
    qApp->installEventFilter(this);
}

TerminalWindow::~TerminalWindow() { qApp->removeEventFilter(this); }

void TerminalWindow::BuildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    menuBar_ = new QMenuBar(this);
    layout->setMenuBar(menuBar_);
    client_ = new QWidget(this);
    client_->setFixedSize(units_.Size(kWidthDialogUnits, kHeightDialogUnits));
    layout->addWidget(client_);

    localPicture_ = new PictureArea(client_);
    localPicture_->setObjectName(QStringLiteral("picture1026"));
    localPicture_->setGeometry(units_.Rect(7, 31, 210, 124));
    remotePicture_ = new PictureArea(client_);
    remotePicture_->setObjectName(QStringLiteral("picture1059"));
    remotePicture_->setGeometry(units_.Rect(7, 164, 210, 132));

    transcript_ = new QPlainTextEdit(client_);
    transcript_->setObjectName(QStringLiteral("transcript1003"));
    transcript_->setReadOnly(true);
    transcript_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    transcript_->setGeometry(units_.Rect(7, 298, 210, 71));
    input_ = new QPlainTextEdit(client_);
    input_->setObjectName(QStringLiteral("input1004"));
    input_->setGeometry(units_.Rect(7, 370, 210, 30));
    connect(input_, &QPlainTextEdit::textChanged, this, &TerminalWindow::InputChanged);

    const auto hiddenButton = [this](const char* text, const char* name, QRect rect) {
        auto* button = new QPushButton(QString::fromUtf8(text), client_);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(rect);
        button->hide();
        return button;
    };
    calledSideSend_ = hiddenButton("发送", "button1022", units_.Rect(85, 402, 26, 14));
    callerSend_ = hiddenButton("发送", "button1006", units_.Rect(85, 401, 26, 14));
    clearInput_ = hiddenButton("清除", "button1029", units_.Rect(127, 415, 26, 14));
    bitmapButton1071_ = hiddenButton("", "button1071", units_.Rect(160, 415, 26, 14));
    mixerPanelButton_ = hiddenButton("调音面板", "button1192", units_.Rect(190, 415, 26, 14));
    auto* beginButton = hiddenButton("begin", "button1221", units_.Rect(7, 415, 26, 14));
    auto* endButton = hiddenButton("end", "button1222", units_.Rect(37, 415, 26, 14));
    const std::pair<QPushButton*, int> buttonCommands[] = {
        {calledSideSend_, CommandId::kCalledSideSend}, {callerSend_, CommandId::kCallerSend},
        {clearInput_, CommandId::kClearInput},         {mixerPanelButton_, CommandId::kMixerPanel},
        {beginButton, CommandId::kBeginVideo},         {endButton, CommandId::kEndVideo},
    };
    for (const auto& [button, id] : buttonCommands) {
        connect(button, &QPushButton::clicked, this, [this, id = id] { RunCommand(id); });
    }

    outputVolume_ = new QSlider(Qt::Horizontal, client_);
    outputVolume_->setObjectName(QStringLiteral("slider1021"));
    outputVolume_->setGeometry(units_.Rect(32, 301, 120, 17));
    outputVolume_->hide();
    microphone_ = new QSlider(Qt::Horizontal, client_);
    microphone_->setObjectName(QStringLiteral("slider1020"));
    microphone_->setGeometry(units_.Rect(70, 328, 76, 17));
    microphone_->hide();

    statusPanes_ = new StatusPanes(client_);
    statusPanes_->setGeometry(0, client_->height() - statusPanes_->height(), client_->width(),
                              statusPanes_->height());
    statusPanes_->hide();
}

void TerminalWindow::BuildMenuBar() {
    menuBar_->clear();
    menuActions_.clear();
    QMenu* system = menuBar_->addMenu(QString::fromUtf8(MenuDefinitions::kSystemMenuTitle));
    for (const MenuEntry& entry : MenuDefinitions::SystemMenu()) {
        if (entry.id == 0) {
            system->addSeparator();
            continue;
        }
        QAction* action = system->addAction(QString::fromUtf8(entry.text));
        action->setData(entry.id);
        action->setCheckable(true);
        action->setChecked(false);
        const int id = entry.id;
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        menuActions_[id] = action;
    }
    SetMenuEnabled(CommandId::kStopService, false);
    SetMenuEnabled(CommandId::kHangUp, false);
}

void TerminalWindow::BuildToolBar() {
    toolBar_ = new QToolBar(client_);
    toolBar_->setObjectName(QStringLiteral("toolbar166"));
    toolBar_->setIconSize(QSize(ToolbarImages::kImageWidthPx, ToolbarImages::kImageWidthPx));
    toolBar_->setContentsMargins(8, 4, 0, 0);
    const QList<QIcon> icons =
        ToolbarImages::Icons(QImage(QStringLiteral(":/images/toolbar179.bmp")));
    qsizetype button = 0;
    for (const MenuEntry& entry : MenuDefinitions::Toolbar()) {
        if (entry.id == 0) {
            toolBar_->addSeparator();
            continue;
        }
        // The strip holds 8 images: only the first 8 buttons have pictures.
        QAction* action = button < icons.size() ? toolBar_->addAction(icons[button], QString())
                                                : toolBar_->addAction(QString());
        ++button;
        action->setData(entry.id);
        action->setToolTip(QString::fromUtf8(entry.text));
        const int id = entry.id;
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    }
    toolBar_->setGeometry(0, 0, client_->width(), toolBar_->sizeHint().height());
}

void TerminalWindow::BuildTray() {
    trayIcon_ = new QSystemTrayIcon(QIcon(QStringLiteral(":/images/tray134.png")), this);
    trayIcon_->setToolTip(QString::fromUtf8(kTrayTip));
    trayMenu_ = new QMenu(this);
    for (const MenuEntry& entry : MenuDefinitions::TrayMenu()) {
        if (entry.id == 0) {
            trayMenu_->addSeparator();
            continue;
        }
        QAction* action = trayMenu_->addAction(QString::fromUtf8(entry.text));
        action->setData(entry.id);
        const int id = entry.id;
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    }
    trayIcon_->setContextMenu(trayMenu_);
    connect(trayIcon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick) ShowFromTray();
            });
}

TerminalSettings& TerminalWindow::Settings() { return store_.Settings(); }

void TerminalWindow::SetPaneText(int pane, const QString& text) {
    statusPanes_->SetText(pane, text);
}

QString TerminalWindow::PaneText(int pane) const { return statusPanes_->Text(pane); }

QString TerminalWindow::TranscriptText() const { return transcript_->toPlainText(); }

void TerminalWindow::SetTranscriptText(const QString& text) { transcript_->setPlainText(text); }

QString TerminalWindow::InputText() const { return input_->toPlainText(); }

void TerminalWindow::SetInputText(const QString& text) { input_->setPlainText(text); }

void TerminalWindow::SetInputEnabled(bool enabled) { input_->setEnabled(enabled); }

bool TerminalWindow::IsInputEnabled() const { return input_->isEnabled(); }

void TerminalWindow::SetMenuEnabled(int commandId, bool enabled) {
    const auto found = menuActions_.find(commandId);
    if (found != menuActions_.end()) found->second->setEnabled(enabled);
}

bool TerminalWindow::IsMenuEnabled(int commandId) const {
    const auto found = menuActions_.find(commandId);
    return found != menuActions_.end() && found->second->isEnabled();
}

void TerminalWindow::SetMenuChecked(int commandId, bool checked) {
    const auto found = menuActions_.find(commandId);
    if (found != menuActions_.end()) found->second->setChecked(checked);
}

bool TerminalWindow::IsMenuChecked(int commandId) const {
    switch (commandId) {
        case CommandId::kPopupRecord:
            return media_.recordingOn.load() != 0;
        case CommandId::kPictureInPicture:
            return media_.pipOn.load() != 0;
        default: {
            const auto found = menuActions_.find(commandId);
            return found != menuActions_.end() && found->second->isChecked();
        }
    }
}

QJsonObject TerminalWindow::MenuStates() const {
    QJsonObject states;
    const auto add = [&](int id, bool enabled) {
        states.insert(QString::number(id),
                      QJsonObject{{QStringLiteral("enabled"), enabled},
                                  {QStringLiteral("checked"), IsMenuChecked(id)}});
    };
    // Popup 184 is built anew each time it opens, with every item enabled.
    for (const MenuEntry& entry : MenuDefinitions::FullPicturePopup()) {
        if (entry.id != 0) add(entry.id, true);
    }
    for (const auto& [id, action] : menuActions_) add(id, action->isEnabled());
    return states;
}

void TerminalWindow::ShowRemoteFrame(const QImage& frame) {
    PictureArea& target =
        media_.fullPictureFlag.load() != 0 ? fullPicture_->Picture() : *remotePicture_;
    target.ShowFrame(frame);
}

void TerminalWindow::ShowRemoteIdlePicture() { remotePicture_->ShowIdlePicture(); }

bool TerminalWindow::IsFullPictureViewShowing() const { return fullPicture_->isVisible(); }

void TerminalWindow::RunFullPictureView() {
    if (fullPicture_->isVisible()) return;
    media_.fullPictureFlag.store(1);
    fullPicture_->Picture().ShowIdlePicture();
    fullPicture_->Run();
    media_.fullPictureFlag.store(0);
}

void TerminalWindow::CloseFullPictureView() {
    media_.fullPictureFlag.store(0);
    if (fullPicture_->isVisible()) fullPicture_->reject();
}

bool TerminalWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || (widget != this && !isAncestorOf(widget))) {
        return QDialog::eventFilter(watched, event);
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

QString TerminalWindow::PlaceCall(const QString&, quint16) {
    return QStringLiteral("calling is not available yet");
}
