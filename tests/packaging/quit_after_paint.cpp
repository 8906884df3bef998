// A Qt generic plugin that the portable folder's tests load into its programs (QT_PLUGIN_PATH,
// QT_QPA_GENERIC_PLUGINS=lfquitafterpaint): the program ends with status 0 once the widget named
// in LF_QUIT_AFTER_PAINTING has been painted. The name is an object or class name, of the
// painted widget or of its parent (a list paints in its viewport).

#include <QCoreApplication>
#include <QEvent>
#include <QGenericPlugin>
#include <QTimer>

namespace {

class QuitAfterPaint : public QObject {
  public:
    explicit QuitAfterPaint(QString name) : name_(std::move(name)) {}

    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint && !quitting_ &&
            (IsNamed(object) || IsNamed(object->parent()))) {
            quitting_ = true;
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        }
        return false;
    }

  private:
    bool IsNamed(const QObject* object) const {
        return object != nullptr && !name_.isEmpty() &&
               (object->objectName() == name_ ||
                QLatin1String(object->metaObject()->className()) == name_);
    }

    QString name_;
    bool quitting_ = false;
};

}  // namespace

class QuitAfterPaintPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "quit_after_paint.json")

  public:
    QObject* create(const QString&, const QString&) override {
        auto* filter = new QuitAfterPaint(qEnvironmentVariable("LF_QUIT_AFTER_PAINTING"));
        QCoreApplication::instance()->installEventFilter(filter);
        return filter;
    }
};

#include "quit_after_paint.moc"
