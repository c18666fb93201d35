#include "platform/widgets/SessionBus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <QTimer>
#include <utility>

namespace platform::sessionbus {

namespace {

const QString ObjectPath = QStringLiteral("/");
const QString Method = QStringLiteral("Request");
constexpr int SendTimeoutMs = 3000;
// An instance that has claimed the name answers once its first picture is up: seconds on a slow machine.
constexpr int AnswerWaitMs = 8000;
constexpr unsigned long RetryMs = 50;

// Only a session bus the desktop has started: without one, the bus library would try to launch a bus of its own.
bool sessionBusExists() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
        return true;
    }
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus"));
}

class RequestObject : public QDBusVirtualObject {
public:
    RequestObject(QString interface, RequestHandler handler)
        : m_interface(std::move(interface)), m_handler(std::move(handler)) {}

    QString introspect(const QString& /*path*/) const override {
        return QStringLiteral("<interface name=\"%1\"><method name=\"%2\"><arg name=\"text\" type=\"s\" "
                              "direction=\"in\"/></method></interface>")
            .arg(m_interface, Method);
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.interface() != m_interface || message.member() != Method) {
            return false;
        }
        const QList<QVariant> arguments = message.arguments();
        if (arguments.size() != 1 || arguments.front().userType() != QMetaType::QString) {
            connection.send(message.createErrorReply(QDBusError::InvalidArgs, QStringLiteral("one text expected")));
            return true;
        }
        connection.send(message.createReply());
        // After the reply: the handler may open a box, and the sender must not wait for the user to close it.
        QTimer::singleShot(0, this, [this, text = arguments.front().toString()] { m_handler(text); });
        return true;
    }

private:
    QString m_interface;
    RequestHandler m_handler;
};

} // namespace

bool answerRequests(const QString& name, RequestHandler handler) {
    if (!sessionBusExists()) {
        return false;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return false;
    }
    // The object lives as long as the program; the connection does not own it.
    static RequestObject* object = nullptr;
    if (object == nullptr) {
        // The interface is named after the bus name, so that two programs on this layer never answer each other.
        object = new RequestObject(name, std::move(handler));
        if (!bus.registerVirtualObject(ObjectPath, object, QDBusConnection::SingleNode)) {
            return false;
        }
    }
    return bus.interface()->registerService(name, QDBusConnectionInterface::DontQueueService,
                                            QDBusConnectionInterface::DontAllowReplacement) ==
           QDBusConnectionInterface::ServiceRegistered;
}

bool sendRequest(const QString& name, const QString& text) {
    if (!sessionBusExists()) {
        return false;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return false;
    }
    QDBusMessage request = QDBusMessage::createMethodCall(name, ObjectPath, name, Method);
    request << text;
    // Asked directly, without starting anything: a name nobody owns fails at once.
    request.setAutoStartService(false);
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        const QDBusMessage reply = bus.call(request, QDBus::Block, SendTimeoutMs);
        if (reply.type() == QDBusMessage::ReplyMessage) {
            return true;
        }
        // An instance that claimed the name as it started answers once its window is up.
        if (reply.errorName() != QStringLiteral("org.freedesktop.DBus.Error.UnknownObject") &&
            reply.errorName() != QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod")) {
            return false;
        }
        if (waited.elapsed() > AnswerWaitMs || !bus.interface()->isServiceRegistered(name).value()) {
            return false;
        }
        QThread::msleep(RetryMs);
    }
}

void claimName(const QString& name) {
    if (!sessionBusExists()) {
        return;
    }
    // The bus is reached on a thread of its own: the window does not wait for it.
    QThread* claim = QThread::create([name] {
        const QDBusConnection bus = QDBusConnection::sessionBus();
        if (bus.isConnected()) {
            bus.interface()->registerService(name, QDBusConnectionInterface::DontQueueService,
                                             QDBusConnectionInterface::DontAllowReplacement);
        }
    });
    QObject::connect(claim, &QThread::finished, claim, &QObject::deleteLater);
    claim->start();
}

bool reachable() {
    return sessionBusExists() && QDBusConnection::sessionBus().isConnected();
}

bool isAnswered(const QString& name) {
    if (!sessionBusExists()) {
        return false;
    }
    const QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface()->isServiceRegistered(name).value();
}

} // namespace platform::sessionbus
