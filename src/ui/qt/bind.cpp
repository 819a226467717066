#include "ui/qt/bind.h"

#include <QEvent>
#include <QFocusEvent>
#include <QListView>
#include <QSignalBlocker>
#include <QStyle>

#include "ui/qt/combo_list_model.h"

namespace tarq::ui::qt {
namespace {

class FocusFilter final : public QObject {
 public:
  FocusFilter(QWidget* view, std::function<void()> event)
      : QObject(view), event_(std::move(event)) {
    view->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn) {
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) event_();
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> event_;
};

}  // namespace

template <typename Sender, typename Signal, typename Handler>
void Bindings::Forward(Sender* sender, Signal signal, Handler handler) {
  QObject::connect(sender, signal, sender, [bound = bound_, handler](auto... args) {
    if (*bound) handler(args...);
  });
}

void Bindings::Label(forms::Label& model, QLabel* view, bool autoSize) {
  auto update = [&model, view, autoSize] {
    view->setText(QString::fromStdString(model.Caption()));
    if (autoSize) view->adjustSize();
  };
  update();
  model.Observer = update;
  release_.push_back([&model] { model.Observer = nullptr; });
}

void Bindings::TextBox(forms::TextBox& model, QLineEdit* view) {
  auto update = [&model, view] {
    const QString text = QString::fromStdString(model.Text());
    if (view->text() != text) view->setText(text);
  };
  update();
  model.Observer = update;
  release_.push_back([&model] { model.Observer = nullptr; });
  Forward(view, &QLineEdit::textEdited,
          [&model](const QString& text) { model.SetText(text.toStdString()); });
}

void Bindings::Combo(forms::ComboList& model, QComboBox* view) {
  auto* rows = new ComboListModel(model, view);
  if (model.ShowsRowSource()) {
    // Asking for the popup's list makes it; short lists make theirs when
    // they first drop down.
    if (auto* popup = qobject_cast<QListView*>(view->view())) popup->setUniformItemSizes(true);
  }
  view->setModel(rows);
  view->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  auto syncIndex = [&model, view] {
    const QSignalBlocker block(view);
    view->setCurrentIndex(model.ListIndex());
  };
  syncIndex();
  model.Observer.rowsAboutToChange = [rows] { rows->BeginReset(); };
  model.Observer.rowsChanged = [rows, syncIndex] {
    rows->EndReset();
    syncIndex();
  };
  model.Observer.listIndexChanged = syncIndex;
  release_.push_back([&model] { model.Observer = {}; });
  Forward(view, &QComboBox::activated, [&model](int row) { model.SetListIndex(row); });
}

void Bindings::Folders(forms::FolderList& model, QListWidget* view) {
  auto show = [&model, view] {
    const QSignalBlocker block(view);
    const QIcon open = view->style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = view->style()->standardIcon(QStyle::SP_DirClosedIcon);
    const auto& entries = model.Entries();
    const QString path = QString::fromStdString(model.Path());
    if (view->count() != static_cast<int>(entries.size()) ||
        view->property("path").toString() != path) {
      view->clear();
      for (const auto& entry : entries) {
        auto* item = new QListWidgetItem(
            entry.open ? open : closed,
            QString(entry.depth * 2, QLatin1Char(' ')) + QString::fromStdString(entry.name));
        item->setData(Qt::AccessibleTextRole, QString::fromStdString(entry.path));
        view->addItem(item);
      }
      view->setProperty("path", path);
    }
    view->setCurrentRow(model.ListIndex());
  };
  show();
  model.Observer = show;
  release_.push_back([&model] { model.Observer = nullptr; });
  Forward(view, &QListWidget::currentRowChanged, [&model](int row) { model.SetListIndex(row); });
  Forward(view, &QListWidget::itemActivated,
          [&model, view](QListWidgetItem* item) { model.Open(view->row(item)); });
}

void Bindings::Click(QAbstractButton* view, std::function<void()> event) {
  Forward(view, &QAbstractButton::clicked, [event = std::move(event)](bool) { event(); });
}

void Bindings::Focus(QWidget* view, std::function<void()> event) {
  new FocusFilter(view, [bound = bound_, event = std::move(event)] {
    if (*bound) event();
  });
}

void Bindings::Release() {
  *bound_ = false;
  for (const auto& release : release_) release();
  release_.clear();
}

}  // namespace tarq::ui::qt
