#include "toolkit/object_store.h"

#include <QDir>
#include <QFile>
#include <QResource>
#include <QUiLoader>
#include <algorithm>

#include "toolkit/uiw_lists.h"

namespace savora::toolkit {
namespace {

const QString kFolder = QStringLiteral(":/objects");

QString& registeredPath() {
  static QString path;
  return path;
}

// Builds lists as DragList, so drags between lists arrive as events.
class Loader : public QUiLoader {
 public:
  QWidget* createWidget(const QString& className, QWidget* parent, const QString& name) override {
    if (className == QLatin1String("QListWidget")) {
      auto* list = new DragList(parent);
      list->setObjectName(name);
      return list;
    }
    return QUiLoader::createWidget(className, parent, name);
  }
};

}  // namespace

bool ObjectStore::open(const std::string& path) {
  close();
  const QString file = QString::fromStdString(path);
  if (!QFile::exists(file) || !QResource::registerResource(file)) return false;
  registeredPath() = file;
  if (names().empty()) {  // a resource file, but not ours
    close();
    return false;
  }
  return true;
}

void ObjectStore::close() {
  if (!registeredPath().isEmpty()) QResource::unregisterResource(registeredPath());
  registeredPath().clear();
}

bool ObjectStore::isOpen() {
  return !registeredPath().isEmpty();
}

std::vector<std::string> ObjectStore::names() {
  std::vector<std::string> out;
  const QStringList files = QDir(kFolder).entryList({QStringLiteral("*.ui")}, QDir::Files);
  for (const QString& f : files) out.push_back(f.chopped(3).toStdString());
  std::sort(out.begin(), out.end());
  return out;
}

bool ObjectStore::contains(const std::string& name) {
  return QFile::exists(kFolder + '/' + QString::fromStdString(name) + QStringLiteral(".ui"));
}

QWidget* ObjectStore::load(const std::string& name, QWidget* parent) {
  QFile file(kFolder + '/' + QString::fromStdString(name) + QStringLiteral(".ui"));
  if (!file.open(QIODevice::ReadOnly)) return nullptr;
  Loader loader;
  return loader.load(&file, parent);
}

}  // namespace savora::toolkit
