#include "ui/qt/controls.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyledItemDelegate>

#include "ui/qt/combo_list_model.h"
#include "ui/qt/look.h"

namespace tarq::ui::qt {

using forms::ControlKind;

void Control::Focus() {
  // The program's, not the user's: raises no GotFocus.
  widget_->setFocus(Qt::ActiveWindowFocusReason);
}

bool Control::HasFocus() const {
  return widget_->window()->focusWidget() == widget_;
}

class LabelControl final : public Control {
 public:
  LabelControl(QWidget& window, const forms::BoundControl& c)
      : Control(c.Row().kind == ControlKind::kValueLabel ? MakeValueLabel(&window, c.Row())
                                                         : MakeCaptionLabel(&window, c.Row())),
        autoSize_(c.Row().kind == ControlKind::kCaptionLabel) {}
  void ShowText(const std::string& text) override {
    auto* label = static_cast<QLabel*>(widget_);
    label->setText(QString::fromStdString(text));
    if (autoSize_) label->adjustSize();
  }

 private:
  bool autoSize_;
};

class ButtonControl final : public Control {
 public:
  ButtonControl(QWidget& window, forms::BoundControl& c) : Control(MakeButton(&window, c.Row())) {
    QObject::connect(static_cast<QPushButton*>(widget_), &QPushButton::clicked, widget_,
                     [&c](bool) { c.Clicked(); });
  }
};

// Reports the focus the widget receives from the user (mouse, Tab), not
// when its own popup closes or its window becomes active again.
class FocusFilter final : public QObject {
 public:
  FocusFilter(QWidget* view, const forms::BoundControl& c) : QObject(view), control_(c) {
    view->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn) {
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
        control_.FocusedByUser();
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  const forms::BoundControl& control_;
};

// Rows and selection mirror the model; a pick by the user sets the model's
// ListIndex, which raises its Click. A list that shows a row source lays its
// popup out in rows of one height, so 32768 rows drop down at once.
class ListControl final : public Control {
 public:
  ListControl(QWidget& window, forms::BoundControl& c) : Control(new QComboBox(&window)) {
    auto* combo = static_cast<QComboBox*>(widget_);
    const forms::ControlLayout& row = c.Row();
    combo->setObjectName(QString::fromUtf8(row.name));
    combo->setEditable(false);
    combo->setGeometry(Pixels(row));
    if (const forms::ComboList* list = c.Binding().list) {
      rows_ = new ComboListModel(*list, combo);
      if (list->ShowsRowSource()) {
        // Asking for the popup's list makes it; short lists make theirs
        // when they first drop down.
        if (auto* popup = qobject_cast<QListView*>(combo->view())) popup->setUniformItemSizes(true);
      }
      combo->setModel(rows_);
    }
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // After the model: a font change makes the popup's list.
    if (!row.font.family.empty()) combo->setFont(ControlFont(row.font));
    if (c.Binding().gotFocus) new FocusFilter(combo, c);
    QObject::connect(combo, &QComboBox::activated, combo, [&c](int index) { c.Picked(index); });
  }
  void RowsAboutToChange() override {
    rows_->BeginReset();
    resetting_ = true;
  }
  void ShowRows() override {
    if (resetting_) rows_->EndReset();
    resetting_ = false;
    ShowListIndex(rows_->List().ListIndex());
  }
  void ShowListIndex(int index) override {
    const QSignalBlocker block(widget_);
    static_cast<QComboBox*>(widget_)->setCurrentIndex(index);
  }

 private:
  ComboListModel* rows_ = nullptr;
  bool resetting_ = false;
};

class TextBoxControl final : public Control {
 public:
  TextBoxControl(QWidget& window, forms::BoundControl& c) : Control(new QLineEdit(&window)) {
    auto* edit = static_cast<QLineEdit*>(widget_);
    edit->setObjectName(QString::fromUtf8(c.Row().name));
    edit->setGeometry(Pixels(c.Row()));
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [&c](const QString& text) { c.Edited(text.toStdString()); });
  }
  void ShowText(const std::string& text) override {
    auto* edit = static_cast<QLineEdit*>(widget_);
    const QString shown = QString::fromStdString(text);
    if (edit->text() != shown) edit->setText(shown);
  }
};

// Draws a folder entry indented by its depth (Qt::UserRole), two spaces'
// width a level, so that the entry's text stays the folder's name: what
// keyboard search matches and screen readers read.
class IndentDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QStyledItemDelegate::sizeHint(option, index) + QSize(Indent(option, index), 0);
  }

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->rect.setLeft(option->rect.left() + Indent(*option, index));
  }

 private:
  static int Indent(const QStyleOptionViewItem& option, const QModelIndex& index) {
    return index.data(Qt::UserRole).toInt() *
           option.fontMetrics.horizontalAdvance(QStringLiteral("  "));
  }
};

// The folders from the root down, then the subfolders, indented; a single
// click highlights, a double click or Enter opens, a typed letter
// highlights the next folder whose name starts with it.
class FolderListControl final : public Control {
 public:
  FolderListControl(QWidget& window, forms::BoundControl& c)
      : Control(new QListWidget(&window)), model_(*c.Binding().folderList) {
    auto* list = static_cast<QListWidget*>(widget_);
    list->setObjectName(QString::fromUtf8(c.Row().name));
    list->setGeometry(Pixels(c.Row()));
    list->setItemDelegate(new IndentDelegate(list));
    QObject::connect(list, &QListWidget::currentRowChanged, list,
                     [&c](int index) { c.Highlighted(index); });
    QObject::connect(list, &QListWidget::itemActivated, list,
                     [&c, list](QListWidgetItem* item) { c.Opened(list->row(item)); });
  }
  void ShowFolders() override {
    auto* view = static_cast<QListWidget*>(widget_);
    const QSignalBlocker block(view);
    const QIcon open = view->style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = view->style()->standardIcon(QStyle::SP_DirClosedIcon);
    const auto& entries = model_.Entries();
    const QString path = QString::fromStdString(model_.Path());
    if (view->count() != static_cast<int>(entries.size()) ||
        view->property("path").toString() != path) {
      view->clear();
      for (const auto& entry : entries) {
        auto* item =
            new QListWidgetItem(entry.open ? open : closed, QString::fromStdString(entry.name));
        item->setData(Qt::UserRole, entry.depth);
        view->addItem(item);
      }
      view->setProperty("path", path);
    }
    view->setCurrentRow(model_.ListIndex());
  }

 private:
  const forms::FolderList& model_;
};

std::unique_ptr<Control> MakeControl(QWidget& window, forms::BoundControl& control) {
  return forms::MakeControlOfKind<Control, LabelControl, ButtonControl, ListControl, TextBoxControl,
                                  FolderListControl>(window, control);
}

}  // namespace tarq::ui::qt
