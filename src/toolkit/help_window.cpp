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
#include <algorithm>
#include <vector>

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
  QLabel* searchNote = nullptr;  // how many pages the search found, or that it found none
  QListWidget* results = nullptr;
};

HelpWindow& help() {
  static HelpWindow h;
  return h;
}

// Lists the pages that contain every word, the best first (a page whose title has the words,
// then the page that uses them most), opens the best one and says what was found, in the window
// itself.
void runSearch(const QString& words) {
  HelpWindow& h = help();
  h.results->clear();
  const QStringList wanted = words.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (wanted.isEmpty()) {
    h.results->hide();
    h.searchNote->setText(QStringLiteral("Type the words to look for, then press Enter."));
    h.searchNote->show();
    return;
  }
  struct Found {
    int score;
    QString title;
    QString path;
  };
  std::vector<Found> found;
  for (const QString& name : QDir(kFolder).entryList({QStringLiteral("*.html")}, QDir::Files)) {
    QFile file(kFolder + '/' + name);
    if (!file.open(QIODevice::ReadOnly)) continue;
    QTextDocument doc;
    doc.setHtml(QString::fromUtf8(file.readAll()));
    const QString text = doc.toPlainText();
    QString title = doc.metaInformation(QTextDocument::DocumentTitle);
    if (title.isEmpty()) title = QFileInfo(name).baseName();
    int score = 0;
    bool inTitle = true;
    for (const QString& w : wanted) {
      const int uses = int(text.count(w, Qt::CaseInsensitive));
      score = uses == 0 || (score < 0) ? -1 : score + uses;
      inTitle = inTitle && title.contains(w, Qt::CaseInsensitive);
    }
    if (score < 0) continue;
    found.push_back({inTitle ? score + 1000 : score, title, kFolder + '/' + name});
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const Found& a, const Found& b) { return a.score > b.score; });
  for (const Found& f : found) {
    auto* item = new QListWidgetItem(f.title);
    item->setData(Qt::UserRole, f.path);
    h.results->addItem(item);
  }
  const QString quoted = QStringLiteral("\u201c%1\u201d").arg(wanted.join(QLatin1Char(' ')));
  if (found.empty()) {
    h.searchNote->setText(
        QStringLiteral("No help page contains %1. Try fewer or other words.").arg(quoted));
  } else {
    h.searchNote->setText(QStringLiteral("%1 %2 %3. Click a page to read it.")
                              .arg(found.size())
                              .arg(found.size() == 1 ? QStringLiteral("page contains")
                                                     : QStringLiteral("pages contain"))
                              .arg(quoted));
    h.results->setCurrentRow(0);
    h.browser->setSource(QUrl(QStringLiteral("qrc") + found.front().path));
  }
  h.searchNote->show();
  h.results->setVisible(!found.empty());
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
  h.searchNote = new QLabel(w);
  h.searchNote->setTextFormat(Qt::PlainText);
  h.searchNote->setWordWrap(true);
  h.searchNote->hide();
  h.results = new QListWidget(w);
  h.results->setMaximumHeight(120);
  h.results->hide();
  auto* contents = new QLabel(QStringLiteral("<a href=\"contents\">Contents</a>"), w);
  auto* top = new QHBoxLayout;
  top->addWidget(contents);
  top->addWidget(h.searchField, 1);
  auto* layout = new QVBoxLayout(w);
  layout->addLayout(top);
  layout->addWidget(h.searchNote);
  layout->addWidget(h.results);
  layout->addWidget(h.browser, 1);
  QObject::connect(contents, &QLabel::linkActivated, w, [] { HelpSystem::showContents(); });
  QObject::connect(h.searchField, &QLineEdit::returnPressed, w,
                   [] { runSearch(help().searchField->text()); });
  auto openResult = [](QListWidgetItem* item) {
    help().browser->setSource(QUrl(QStringLiteral("qrc") + item->data(Qt::UserRole).toString()));
  };
  QObject::connect(h.results, &QListWidget::itemActivated, w, openResult);
  QObject::connect(h.results, &QListWidget::itemClicked, w, openResult);
  h.window = w;
  return h;
}

// Shows a page; the search's results stay listed above it until the next search.
void showPage(const QString& path) {
  HelpWindow& h = ensureWindow();
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

std::string HelpSystem::searchNote() {
  const HelpWindow& h = help();
  return h.window && h.searchNote->isVisibleTo(h.window) ? h.searchNote->text().toStdString()
                                                         : std::string();
}

std::vector<std::string> HelpSystem::searchResultPages() {
  std::vector<std::string> pages;
  if (!help().window) return pages;
  for (int i = 0; i < help().results->count(); ++i) {
    // Named like currentPage(): "/help/<name>.html".
    pages.push_back(help().results->item(i)->data(Qt::UserRole).toString().mid(1).toStdString());
  }
  return pages;
}

}  // namespace savora::toolkit
