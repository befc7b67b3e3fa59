#include "toolkit/help_window.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QResource>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>
#include <QWidget>

namespace savora::toolkit {
namespace {

const QString kFolder = QStringLiteral(":/help");

QString& helpFile() {
  static QString file;
  return file;
}

// The help window closes on Escape from wherever the focus is in it.
class HelpFrame : public QWidget {
 public:
  HelpFrame() : QWidget(nullptr, Qt::Window) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
      close();
      return;
    }
    QWidget::keyPressEvent(event);
  }
};

struct HelpWindow {
  QPointer<QWidget> window;
  QTextBrowser* browser = nullptr;
  QLineEdit* searchField = nullptr;
  QListWidget* results = nullptr;
};

HelpWindow& help() {
  static HelpWindow h;
  return h;
}

QString pageTitle(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return path;
  QTextDocument doc;
  doc.setHtml(QString::fromUtf8(file.readAll()));
  const QString title = doc.metaInformation(QTextDocument::DocumentTitle);
  return title.isEmpty() ? QFileInfo(path).baseName() : title;
}

void runSearch(const QString& words) {
  HelpWindow& h = help();
  h.results->clear();
  const QStringList wanted = words.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (wanted.isEmpty()) return;
  for (const QString& name : QDir(kFolder).entryList({QStringLiteral("*.html")}, QDir::Files)) {
    QFile file(kFolder + '/' + name);
    if (!file.open(QIODevice::ReadOnly)) continue;
    QTextDocument doc;
    doc.setHtml(QString::fromUtf8(file.readAll()));
    const QString text = doc.toPlainText();
    bool all = true;
    for (const QString& w : wanted) all = all && text.contains(w, Qt::CaseInsensitive);
    if (!all) continue;
    auto* item = new QListWidgetItem(pageTitle(kFolder + '/' + name));
    item->setData(Qt::UserRole, kFolder + '/' + name);
    h.results->addItem(item);
  }
}

HelpWindow& ensureWindow() {
  HelpWindow& h = help();
  if (h.window) return h;
  auto* w = new HelpFrame;
  w->setAttribute(Qt::WA_DeleteOnClose);
  w->setWindowTitle(QStringLiteral("Savora Help"));
  w->resize(720, 520);
  h.browser = new QTextBrowser(w);
  h.browser->setSearchPaths({kFolder});
  h.searchField = new QLineEdit(w);
  h.searchField->setPlaceholderText(QStringLiteral("Search the help for words"));
  h.results = new QListWidget(w);
  h.results->setMaximumHeight(120);
  auto* contents = new QLabel(QStringLiteral("<a href=\"contents\">Contents</a>"), w);
  auto* top = new QHBoxLayout;
  top->addWidget(contents);
  top->addWidget(h.searchField, 1);
  auto* layout = new QVBoxLayout(w);
  layout->addLayout(top);
  layout->addWidget(h.results);
  layout->addWidget(h.browser, 1);
  QObject::connect(contents, &QLabel::linkActivated, w, [] { HelpSystem::showContents(); });
  QObject::connect(h.searchField, &QLineEdit::returnPressed, w,
                   [] { runSearch(help().searchField->text()); });
  QObject::connect(h.results, &QListWidget::itemActivated, w, [](QListWidgetItem* item) {
    help().browser->setSource(QUrl(QStringLiteral("qrc") + item->data(Qt::UserRole).toString()));
  });
  h.window = w;
  return h;
}

void showPage(const QString& path) {
  HelpWindow& h = ensureWindow();
  h.results->hide();
  h.browser->setSource(QUrl(QStringLiteral("qrc") + path));
  h.window->show();
  h.window->raise();
}

}  // namespace

bool HelpSystem::install(const std::string& file) {
  uninstall();
  const QString path = QString::fromStdString(file);
  if (!QFile::exists(path) || !QResource::registerResource(path)) return false;
  helpFile() = path;
  return true;
}

void HelpSystem::uninstall() {
  delete help().window.data();
  if (!helpFile().isEmpty()) QResource::unregisterResource(helpFile());
  helpFile().clear();
}

bool HelpSystem::isInstalled() {
  return !helpFile().isEmpty();
}

void HelpSystem::showContext(int context) {
  const QString page = kFolder + '/' + QString::number(context) + QStringLiteral(".html");
  showPage(QFile::exists(page) ? page : kFolder + QStringLiteral("/contents.html"));
}

void HelpSystem::showContents() {
  showPage(kFolder + QStringLiteral("/contents.html"));
}

void HelpSystem::showSearch(const std::string& words) {
  showContents();
  HelpWindow& h = help();
  h.results->show();
  h.searchField->setText(QString::fromStdString(words));
  h.searchField->setFocus();
  runSearch(h.searchField->text());
}

QWidget* HelpSystem::window() {
  return help().window;
}

std::string HelpSystem::currentPage() {
  const HelpWindow& h = help();
  return h.window ? h.browser->source().path().toStdString() : std::string();
}

int HelpSystem::searchResultCount() {
  return help().window ? help().results->count() : 0;
}

}  // namespace savora::toolkit
