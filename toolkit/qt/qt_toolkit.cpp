// The toolkit on Qt 6 Widgets. Texts cross into Qt through the code page
// converter; events reach the program only when they come from the user.
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <limits>
#include <map>
#include <vector>

#include "platform/posix/code_page.h"
#include "toolkit/event_order.h"
#include "toolkit/toolkit.h"

namespace tk {
namespace {

QString ToQt(const std::string& text) {
    return QString::fromUtf8(AnsiToUtf8(text));
}

std::string FromQt(const QString& text) {
    return Utf8ToAnsi(text.toUtf8().toStdString());
}

void Raise(int window, const Event& event);

// A top-level window: the frame's close command asks for the window's destruction.
class TopWindow : public QWidget {
public:
    TopWindow(int window, const WindowLayout& layout)
        : window_(window), outer_(layout.width, layout.height) {}

    // With a window manager the frame is known only once the window is on
    // screen: then the client area becomes what the frame leaves of the outer size.
    void FitFrame() {
        const QSize frame = frameGeometry().size() - geometry().size();
        if (frame.isEmpty() || fitted_) {
            return;
        }
        fitted_ = true;
        setFixedSize(outer_ - frame);
        const QRect screen = this->screen()->geometry();
        move(screen.left() + (screen.width() - outer_.width()) / 2,
             screen.top() + (screen.height() - outer_.height()) / 2);
    }

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override {
        QWidget::moveEvent(event);
        FitFrame();
    }

private:
    int window_;
    QSize outer_;
    bool fitted_ = false;
};

struct QtWindow {
    WindowLayout layout;
    TopWindow* widget;
    std::map<int, QWidget*> controls;
};

struct System {
    std::map<int, QtWindow> windows;
};

System& Sys() {
    static System system;
    return system;
}

// Drop-down lists open as a list below the field, several items high, as a
// drop-down list box does, rather than as a menu over the whole screen.
class DropDownStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ComboBox_Popup) {
            return 0;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// The closed field and its open list take at least this many pixels together.
constexpr int kDropDownTotalHeight = 160;

void EnsureApplication() {
    if (QApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "brask-tools";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
        QApplication::setStyle(new DropDownStyle);
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/brask-tools.png")));
    }
}

QtWindow* FindWindow(int window) {
    auto it = Sys().windows.find(window);
    return it == Sys().windows.end() ? nullptr : &it->second;
}

QWidget* Widget(Control control) {
    QtWindow* window = FindWindow(control.window);
    if (window == nullptr) {
        return nullptr;
    }
    if (control.role == kWindowRole) {
        return window->widget;
    }
    auto it = window->controls.find(control.role);
    return it == window->controls.end() ? nullptr : it->second;
}

void DestroyNow(int window) {
    QtWindow* state = FindWindow(window);
    if (state == nullptr) {
        return;
    }
    Raise(window, {EventKind::WillBeDestroyed, kWindowRole});
    if (QtWindow* remaining = FindWindow(window)) {
        remaining->widget->hide();
        remaining->widget->deleteLater();
        Sys().windows.erase(window);
    }
    if (Sys().windows.empty()) {
        QCoreApplication::quit();
    }
}

void Raise(int window, const Event& event) {
    if (const QtWindow* state = FindWindow(window)) {
        RunHandler(state->layout.handle, event, DestroyNow);
    }
}

void TopWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    DestroyWindow(window_);
}

// The Windows key code of a released key, as far as the program needs one.
int KeyCode(const QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Escape:
            return 27;
        default:
            return event->key() < 128 ? event->key() : 0;
    }
}

// Focus and key events of edit boxes.
class EditEvents : public QObject {
public:
    EditEvents(int window, int role, QObject* parent)
        : QObject(parent), window_(window), role_(role) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::FocusIn:
                Raise(window_, {EventKind::GotFocus, role_});
                break;
            case QEvent::FocusOut:
                Raise(window_, {EventKind::LostFocus, role_});
                break;
            case QEvent::KeyRelease:
                if (!static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
                    Raise(window_,
                          {EventKind::KeyReleased, role_, KeyCode(static_cast<QKeyEvent*>(event))});
                }
                break;
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    int window_;
    int role_;
};

QWidget* MakeControl(int window, const ControlLayout& layout, QWidget* parent) {
    const QString text = ToQt(layout.text);
    switch (layout.kind) {
        case ControlKind::GroupBox: {
            auto* group = new QGroupBox(text, parent);
            // The title sits in the frame's top edge, at the left, as the layout
            // places the children from the group box's top-left corner.
            group->setStyleSheet(QStringLiteral(
                "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 7px; }"
                "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 2px; }"));
            return group;
        }
        case ControlKind::DropDownList: {
            auto* list = new QComboBox(parent);
            const int itemHeight = list->fontMetrics().height() + 1;
            list->setMaxVisibleItems(
                std::max(1, (kDropDownTotalHeight - layout.height) / itemHeight));
            // The layout fixes its size: measuring every item for a size hint is wasted work.
            list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            for (const char* item : layout.items) {
                list->addItem(ToQt(item));
            }
            list->setCurrentIndex(-1);
            // activated comes from the user only, never from setCurrentIndex.
            QObject::connect(list, &QComboBox::activated, list, [window, role = layout.role](int) {
                Raise(window, {EventKind::ItemSelected, role});
            });
            return list;
        }
        case ControlKind::EditBox: {
            auto* edit = new QLineEdit(text, parent);
            edit->setMaxLength(std::numeric_limits<int>::max());  // no limit on the text
            if (layout.style & kCentredText) {
                edit->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
            }
            edit->installEventFilter(new EditEvents(window, layout.role, edit));
            return edit;
        }
        case ControlKind::PushButton: {
            auto* button = new QPushButton(text, parent);
            button->setAutoDefault(false);
            QObject::connect(button, &QPushButton::clicked, button, [window, role = layout.role] {
                Raise(window, {EventKind::Clicked, role});
            });
            return button;
        }
        case ControlKind::Label: {
            auto* label = new QLabel(text, parent);
            if (layout.style & kCentredText) {
                label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
                label->setWordWrap(true);
            }
            return label;
        }
    }
    return nullptr;
}

int Clamp(int value, int low, int high) {
    return std::max(low, std::min(high, value));
}

}  // namespace

void OpenWindow(const WindowLayout& layout) {
    EnsureApplication();
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (layout.frame & kMinimiseBox) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    if (layout.frame & kMaximiseBox) {
        flags |= Qt::WindowMaximizeButtonHint;
    }
    if (layout.frame & kAlwaysOnTop) {
        flags |= Qt::WindowStaysOnTopHint;
    }
    auto* widget = new TopWindow(layout.window, layout);
    widget->setWindowFlags(flags);
    widget->setObjectName(layout.name);
    widget->setWindowTitle(ToQt(layout.title));
    // Until a window manager shows its frame, the outer size is the client size.
    widget->setFixedSize(layout.width, layout.height);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    widget->move(screen.left() + (screen.width() - layout.width) / 2,
                 screen.top() + (screen.height() - layout.height) / 2);

    QtWindow window{layout, widget, {}};
    // Controls are made in table order, so a later one lies above an earlier one.
    for (const ControlLayout& control : layout.controls) {
        QWidget* parent =
            control.parent == kWindowRole ? widget : window.controls.at(control.parent);
        QWidget* made = MakeControl(layout.window, control, parent);
        made->setObjectName(control.name);
        made->setGeometry(control.left, control.top, control.width, control.height);
        made->setEnabled(control.enabled);
        if (!control.shown) {
            made->setVisible(false);
        }
        if (!control.tabStop) {
            made->setFocusPolicy(Qt::NoFocus);
        }
        window.controls[control.role] = made;
    }
    Sys().windows.emplace(layout.window, window);

    Raise(layout.window, {EventKind::Created, kWindowRole});
    Raise(layout.window, {EventKind::SizeChanged, kWindowRole});
    if (FindWindow(layout.window) != nullptr) {
        widget->show();
    }
}

void DestroyWindow(int window) {
    DestroyAfterEvents(window, DestroyNow);
}

void RunMessageLoop() {
    if (!Sys().windows.empty()) {
        QApplication::exec();
    }
}

Rect Place(Control control) {
    QWidget* widget = Widget(control);
    if (widget == nullptr) {
        return {};
    }
    const QRect place = control.role == kWindowRole ? widget->frameGeometry() : widget->geometry();
    return {place.x(), place.y(), place.width(), place.height()};
}

void SetPlace(Control control, Rect place) {
    QWidget* widget = Widget(control);
    if (widget == nullptr) {
        return;
    }
    widget->setGeometry(Clamp(place.left, -32627, 32627), Clamp(place.top, -32627, 32627),
                        Clamp(place.width, 0, 32627), Clamp(place.height, 0, 32627));
}

bool IsShown(Control control) {
    QWidget* widget = Widget(control);
    return widget != nullptr && widget->isVisible();
}

void SetShown(Control control, bool shown) {
    if (QWidget* widget = Widget(control)) {
        widget->setVisible(shown);
    }
}

bool IsEnabled(Control control) {
    QWidget* widget = Widget(control);
    return widget != nullptr && widget->isEnabled();
}

void SetEnabled(Control control, bool enabled) {
    if (QWidget* widget = Widget(control)) {
        widget->setEnabled(enabled);
    }
}

std::string Text(Control control) {
    QWidget* widget = Widget(control);
    if (widget == nullptr) {
        return {};
    }
    if (control.role == kWindowRole) {
        return FromQt(widget->windowTitle());
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        return FromQt(edit->text());
    }
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        return FromQt(button->text());
    }
    if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        return FromQt(group->title());
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return FromQt(label->text());
    }
    return {};
}

void SetText(Control control, const std::string& text) {
    QWidget* widget = Widget(control);
    if (widget == nullptr) {
        return;
    }
    const QString qtext = ToQt(text);
    if (control.role == kWindowRole) {
        widget->setWindowTitle(qtext);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(qtext);
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        button->setText(qtext);
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->setTitle(qtext);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(qtext);
    }
}

void GiveFocus(Control control) {
    if (QWidget* widget = Widget(control)) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void SelectAllText(Control control) {
    if (auto* edit = qobject_cast<QLineEdit*>(Widget(control))) {
        edit->selectAll();
    }
}

void AddItem(Control list, const std::string& text) {
    if (auto* combo = qobject_cast<QComboBox*>(Widget(list))) {
        const QSignalBlocker quiet(combo);
        combo->addItem(ToQt(text));
        // A list that had no selection keeps none.
        if (combo->count() == 1) {
            combo->setCurrentIndex(-1);
        }
    }
}

void DeleteItem(Control list, int index) {
    if (auto* combo = qobject_cast<QComboBox*>(Widget(list))) {
        const QSignalBlocker quiet(combo);
        const int selected = combo->currentIndex();
        combo->removeItem(index);
        if (selected == index) {
            combo->setCurrentIndex(-1);
        }
    }
}

int ItemCount(Control list) {
    auto* combo = qobject_cast<QComboBox*>(Widget(list));
    return combo ? combo->count() : 0;
}

std::string ItemText(Control list, int index) {
    auto* combo = qobject_cast<QComboBox*>(Widget(list));
    if (combo == nullptr || index < 0 || index >= combo->count()) {
        return {};
    }
    return FromQt(combo->itemText(index));
}

int Selection(Control list) {
    auto* combo = qobject_cast<QComboBox*>(Widget(list));
    return combo ? combo->currentIndex() : -1;
}

void SetSelection(Control list, int index) {
    if (auto* combo = qobject_cast<QComboBox*>(Widget(list))) {
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(Clamp(index, -1, combo->count() - 1));
    }
}

void ShowMessage(MessageKind kind, const std::string& caption, const std::string& text) {
    EnsureApplication();
    QString body = ToQt(text);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(kind == MessageKind::Warning ? QMessageBox::Warning : QMessageBox::Information,
                    ToQt(caption), body, QMessageBox::Ok);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    if (kind == MessageKind::SystemModalInformation) {
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    box.exec();
}

}  // namespace tk
