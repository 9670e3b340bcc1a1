// The toolkit on Qt 6 Widgets. Texts cross into Qt through the code page
// converter; events reach the program only when they come from the user.
#include <QAbstractTableModel>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <limits>
#include <map>
#include <vector>

#include "platform/posix/code_page.h"
#include "text/byte_text.h"
#include "toolkit/event_order.h"
#include "toolkit/grid_rows.h"
#include "toolkit/toolkit.h"

namespace tk {
namespace {

QString ToQt(std::string_view text) {
    return QString::fromUtf8(AnsiToUtf8(text));
}

std::string FromQt(const QString& text) {
    return Utf8ToAnsi(text.toUtf8().toStdString());
}

void Raise(int window, const Event& event);

// A top-level window: the frame's close command asks for the window's destruction.
// A top-level window of a fixed size. One with a maximise box may be maximised
// and restored, but never resized by dragging its edges: any other size goes
// back to the window's own.
class TopWindow : public QWidget {
public:
    TopWindow(int window, const WindowLayout& layout)
        : window_(window),
          outer_(layout.width, layout.height),
          client_(outer_),
          maximisable_(layout.frame & kMaximiseBox) {
        SetClientSize(client_);
        lastSize_ = client_;
    }

    // With a window manager the frame is known only once the window is on
    // screen: then the client area becomes what the frame leaves of the outer size.
    void FitFrame() {
        const QSize frame = frameGeometry().size() - geometry().size();
        if (frame.isEmpty() || fitted_) {
            return;
        }
        fitted_ = true;
        client_ = outer_ - frame;
        SetClientSize(client_);
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
    void resizeEvent(QResizeEvent* event) override;

private:
    void SetClientSize(QSize size) {
        if (maximisable_) {
            resize(size);
        } else {
            setFixedSize(size);
        }
    }

    int window_;
    QSize outer_;
    QSize client_;
    bool maximisable_;
    bool fitted_ = false;
    QSize lastSize_;
};

struct QtWindow {
    WindowLayout layout;
    TopWindow* widget;
    std::map<int, QWidget*> controls;
    QEventLoop* dialogLoop = nullptr;  // the loop that runs while a dialog-mode window is open
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
        // Forgotten first: hiding moves the focus, and a window that is going
        // raises no more events.
        TopWindow* widget = remaining->widget;
        QEventLoop* dialogLoop = remaining->dialogLoop;
        Sys().windows.erase(window);
        if (dialogLoop != nullptr) {
            dialogLoop->quit();
        }
        widget->hide();
        widget->deleteLater();
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

void TopWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!isVisible()) {
        return;
    }
    if (maximisable_ && !isMaximized() && !isFullScreen() && size() != client_) {
        resize(client_);
        return;
    }
    if (size() != lastSize_) {
        lastSize_ = size();
        Raise(window_, {EventKind::SizeChanged, kWindowRole});
    }
}

// The rows of a report view as a model over their bytes: the view asks only for
// the cells it draws. Rows appended while the program fills the grid reach the
// view together, once the program is done or asks the view about them.
class GridModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    struct Column {
        std::string title;
        std::string tip;
    };

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : published_;
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(columns_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) {
            return {};
        }
        return ToQt(rows_.Cell(index.row(), index.column()));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || section < 0 ||
            section >= static_cast<int>(columns_.size())) {
            return {};
        }
        const Column& column = columns_[static_cast<std::size_t>(section)];
        if (role == Qt::DisplayRole) {
            return ToQt(column.title);
        }
        if (role == Qt::ToolTipRole) {
            return ToQt(column.tip);
        }
        return {};
    }

    const GridRows& Rows() const { return rows_; }
    const std::vector<Column>& Columns() const { return columns_; }

    void RemoveColumns() {
        beginResetModel();
        columns_.clear();
        endResetModel();
    }
    void RemoveRows() {
        beginResetModel();
        rows_.Clear();
        published_ = 0;
        endResetModel();
    }
    void AddColumn(Column column) {
        const int at = static_cast<int>(columns_.size());
        beginInsertColumns({}, at, at);
        columns_.push_back(std::move(column));
        endInsertColumns();
    }
    void AddRow(std::span<const std::string_view> cells) {
        rows_.Append(cells);
        if (!publishQueued_) {
            publishQueued_ = true;
            QTimer::singleShot(0, this, [this] { Publish(); });
        }
    }
    void SetCell(int row, int column, const std::string& text) {
        rows_.Set(row, column, text);
        if (row < published_) {
            emit dataChanged(index(row, column), index(row, column), {Qt::DisplayRole});
        }
    }
    // Shows the view every row appended so far.
    void Publish() {
        publishQueued_ = false;
        if (rows_.Count() > published_) {
            beginInsertRows({}, published_, rows_.Count() - 1);
            published_ = rows_.Count();
            endInsertRows();
        }
    }

private:
    GridRows rows_;
    std::vector<Column> columns_;
    int published_ = 0;
    bool publishQueued_ = false;
};

QTableView* GridView(Control grid) {
    return qobject_cast<QTableView*>(Widget(grid));
}

GridModel* Model(QTableView* view) {
    return view ? static_cast<GridModel*>(view->model()) : nullptr;
}

// Where the viewport, which holds the rows, lies in the grid's client area,
// which holds the column header too.
QPoint ViewportOffset(const QTableView* view) {
    return view->viewport()->geometry().topLeft() - view->contentsRect().topLeft();
}

// The selected row is drawn only while the grid has the keyboard focus: without
// it, the selection takes the colours of the rows around it.
void ShowSelection(QTableView* view, bool shown) {
    QPalette palette = view->palette();
    const QPalette standard = QApplication::palette(view);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight,
                         shown ? standard.color(group, QPalette::Highlight) : Qt::white);
        palette.setColor(group, QPalette::HighlightedText,
                         shown ? standard.color(group, QPalette::HighlightedText) : Qt::black);
    }
    view->setPalette(palette);
}

// Double-clicks anywhere in the rows' area, on a row or not; focus changes
// that show or hide the selection.
class GridEvents : public QObject {
public:
    GridEvents(int window, int role, QTableView* view)
        : QObject(view), window_(window), role_(role), view_(view) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == view_) {
            if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
                ShowSelection(view_, event->type() == QEvent::FocusIn);
            }
            return QObject::eventFilter(watched, event);
        }
        if (event->type() == QEvent::MouseButtonDblClick) {
            const QPoint point =
                static_cast<QMouseEvent*>(event)->position().toPoint() + ViewportOffset(view_);
            Raise(window_, {EventKind::DoubleClicked, role_, 0, point.x(), point.y()});
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    int window_;
    int role_;
    QTableView* view_;
};

QTableView* MakeGrid(int window, const ControlLayout& layout, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setModel(new GridModel(view));
    view->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSortingEnabled(false);
    view->setShowGrid(true);
    view->setWordWrap(false);
    view->setTabKeyNavigation(false);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    QHeaderView* header = view->horizontalHeader();
    header->setSectionsClickable(false);
    header->setSectionsMovable(false);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setTextElideMode(Qt::ElideRight);  // a title too long for its column ends in "…"
    header->setMinimumSectionSize(0);
    QHeaderView* rows = view->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(QFontMetrics(view->font()).height() + 3);
    rows->setMinimumSectionSize(1);
    QPalette palette = view->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    view->setPalette(palette);
    ShowSelection(view, false);
    auto* events = new GridEvents(window, layout.role, view);
    view->installEventFilter(events);
    view->viewport()->installEventFilter(events);
    return view;
}

// Edit boxes hand back the bytes the program gave them as long as the user
// has not changed the text: display cannot alter a text nobody edited.
const char* const kBytesProperty = "braskBytes";
const char* const kShownProperty = "braskShown";

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
            if (layout.style & kFieldText) {
                edit->setValidator(new QRegularExpressionValidator(
                    QRegularExpression(QStringLiteral("[^;\\r\\n]*")), edit));
            }
            if (layout.style & kThinBorder) {
                edit->setStyleSheet(QStringLiteral(
                    "QLineEdit { border: 1px solid black; background: white; color: black; "
                    "padding: 0px; }"));
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
        case ControlKind::ReportView:
            return MakeGrid(window, layout, parent);
    }
    return nullptr;
}

// The layout's font; a face the system lacks falls back to one that has the
// face's characters.
void ApplyFont(QWidget* widget, const Font& font) {
    if (font.face[0] == '\0' && font.pixelHeight == 0) {
        return;
    }
    QFont made = widget->font();
    if (font.face[0] != '\0') {
        made.setFamilies({ToQt(font.face), QStringLiteral("SimSun"),
                          QStringLiteral("Noto Serif CJK SC"),
                          QStringLiteral("WenQuanYi Micro Hei")});
    }
    if (font.pixelHeight > 0) {
        made.setPixelSize(font.pixelHeight);
    }
    made.setWeight(QFont::Normal);
    made.setItalic(false);
    made.setUnderline(false);
    widget->setFont(made);
    if (auto* view = qobject_cast<QTableView*>(widget)) {
        view->verticalHeader()->setDefaultSectionSize(QFontMetrics(made).height() + 3);
    }
}

bool AnyWindowAlwaysOnTop() {
    return std::any_of(Sys().windows.begin(), Sys().windows.end(),
                       [](const auto& entry) { return entry.second.layout.frame & kAlwaysOnTop; });
}

int Clamp(int value, int low, int high) {
    return std::max(low, std::min(high, value));
}

}  // namespace

void OpenWindow(const WindowLayout& layout, WindowMode mode) {
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
        ApplyFont(made, control.font);
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
    QtWindow* opened = FindWindow(layout.window);
    if (opened == nullptr) {
        return;
    }
    for (auto& [role, control] : opened->controls) {
        if (GridModel* model = Model(qobject_cast<QTableView*>(control))) {
            model->Publish();
        }
    }
    if (mode == WindowMode::Normal) {
        widget->show();
        return;
    }
    widget->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    opened->dialogLoop = &loop;
    widget->show();
    OuterEvents outer = EnterNestedLoop();
    loop.exec();
    LeaveNestedLoop(std::move(outer));
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
        if (edit->text() == edit->property(kShownProperty).toString()) {
            return edit->property(kBytesProperty).toByteArray().toStdString();
        }
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
        edit->setProperty(kShownProperty, edit->text());
        edit->setProperty(kBytesProperty, QByteArray::fromStdString(text));
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

void RemoveAllColumns(Control grid) {
    if (GridModel* model = Model(GridView(grid))) {
        model->RemoveColumns();
    }
}

void RemoveAllRows(Control grid) {
    if (GridModel* model = Model(GridView(grid))) {
        model->RemoveRows();
    }
}

void AppendColumn(Control grid, const std::string& title, int width, const std::string& tip) {
    QTableView* view = GridView(grid);
    if (GridModel* model = Model(view)) {
        model->AddColumn({title, tip});
        view->horizontalHeader()->resizeSection(model->columnCount({}) - 1, width);
    }
}

int ColumnCount(Control grid) {
    const GridModel* model = Model(GridView(grid));
    return model ? static_cast<int>(model->Columns().size()) : 0;
}

std::string ColumnTitle(Control grid, int column) {
    const GridModel* model = Model(GridView(grid));
    if (model == nullptr || column < 0 || column >= static_cast<int>(model->Columns().size())) {
        return {};
    }
    return model->Columns()[static_cast<std::size_t>(column)].title;
}

int ColumnWidth(Control grid, int column) {
    QTableView* view = GridView(grid);
    if (view == nullptr || column < 0 || column >= ColumnCount(grid)) {
        return 0;
    }
    return view->horizontalHeader()->sectionSize(column);
}

void AppendRow(Control grid, std::span<const std::string_view> cells) {
    if (GridModel* model = Model(GridView(grid))) {
        model->AddRow(cells);
    }
}

int RowCount(Control grid) {
    const GridModel* model = Model(GridView(grid));
    return model ? model->Rows().Count() : 0;
}

std::string CellText(Control grid, int row, int column) {
    const GridModel* model = Model(GridView(grid));
    return model ? std::string(model->Rows().Cell(row, column)) : std::string();
}

void SetCellText(Control grid, int row, int column, const std::string& text) {
    GridModel* model = Model(GridView(grid));
    if (model != nullptr && column < static_cast<int>(model->Columns().size())) {
        model->SetCell(row, column, text);
    }
}

void ReadRow(Control grid, int row, std::vector<std::string_view>& cells) {
    const GridModel* model = Model(GridView(grid));
    if (model == nullptr) {
        cells.clear();
        return;
    }
    model->Rows().ReadRow(row, static_cast<int>(model->Columns().size()), cells);
}

GridHit HitTest(Control grid, int x, int y) {
    QTableView* view = GridView(grid);
    if (view == nullptr) {
        return {kNowhere, -1, -1};
    }
    Model(view)->Publish();
    const QPoint point = QPoint(x, y) - ViewportOffset(view);
    if (point.x() < 0 || point.y() < 0 || point.x() >= view->viewport()->width() ||
        point.y() >= view->viewport()->height()) {
        return {kNowhere, -1, -1};
    }
    const int row = view->rowAt(point.y());
    const int column = view->columnAt(point.x());
    if (row < 0 || column < 0) {
        return {kNowhere, -1, column};
    }
    return {kOnRow, row, column};
}

Point RowPosition(Control grid, int row) {
    QTableView* view = GridView(grid);
    if (view == nullptr) {
        return {0, 0};
    }
    Model(view)->Publish();
    const QPoint offset = ViewportOffset(view);
    return {offset.x() - view->horizontalHeader()->offset(),
            offset.y() + view->rowViewportPosition(row)};
}

void SuspendDrawing(Control grid) {
    if (QTableView* view = GridView(grid)) {
        view->setUpdatesEnabled(false);
    }
}

void ResumeDrawing(Control grid) {
    if (QTableView* view = GridView(grid)) {
        view->setUpdatesEnabled(true);
    }
}

bool RunOpenDialog(int window, const std::string& filter, const std::string& initialFolder,
                   std::string& path) {
    EnsureApplication();
    QFileDialog dialog(Widget({window, kWindowRole}));
    dialog.setObjectName(QStringLiteral("OpenDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // Pairs of a description and its patterns, all separated by "|".
    QStringList filters;
    std::string_view rest = filter;
    while (!rest.empty()) {
        const std::size_t bar = FindCharacter(rest, '|');
        const std::string_view description = rest.substr(0, bar);
        rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
        const std::size_t next = FindCharacter(rest, '|');
        QString patterns = ToQt(rest.substr(0, next)).trimmed();
        rest = next == std::string_view::npos ? std::string_view() : rest.substr(next + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt takes the patterns from the last brackets: a description that
        // shows them already is kept as it is.
        const QString shown = ToQt(description).trimmed();
        filters << (shown.endsWith(QStringLiteral("(%1)").arg(patterns))
                        ? shown
                        : QStringLiteral("%1 (%2)").arg(shown, patterns));
    }
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
    }
    dialog.setDirectory(QString::fromUtf8(SystemPath(initialFolder)));
    if (!path.empty()) {
        dialog.selectFile(QString::fromUtf8(SystemPath(path)));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return false;
    }
    const QString chosen = QDir::cleanPath(dialog.selectedFiles().constFirst());
    QDir::setCurrent(QFileInfo(chosen).absolutePath());
    path = ProgramPath(chosen.toStdString());
    return true;
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
    // Also above a window that stays on top, where it would else be hidden.
    if (kind == MessageKind::SystemModalInformation || AnyWindowAlwaysOnTop()) {
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    box.exec();
}

}  // namespace tk
