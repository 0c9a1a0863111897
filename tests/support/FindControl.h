#pragma once

#include <QByteArray>
#include <QObject>
#include <QApplication>
#include <QTest>

#include <stdexcept>

// The control of that name below root. A missing one fails the test with its
// name instead of handing back a null pointer that crashes a line later; the
// exception ends the test function.
template <typename T> T* findControl(const QObject& root, const char* name) {
    T* found = root.findChild<T*>(QString::fromLatin1(name));
    if (!found) {
        const QByteArray message = QByteArray("no control \"") + name + "\" (" + T::staticMetaObject.className() + ')';
        QTest::qFail(message.constData(), __FILE__, __LINE__);
        throw std::runtime_error(message.toStdString());
    }
    return found;
}

// QTEST_MAIN for tests that use findControl: Qt Test (6.4) reports the
// failure of a test function that throws and then hands the exception on;
// here the run then ends with a failed status instead of std::terminate.
#define VESK_TEST_MAIN(TestObject)                                                                                   \
    int main(int argc, char** argv) {                                                                                  \
        QApplication app(argc, argv);                                                                                  \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                       \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        try {                                                                                                          \
            return QTest::qExec(&tc, argc, argv);                                                                      \
        } catch (const std::exception&) {                                                                              \
            return 1;                                                                                                  \
        }                                                                                                              \
    }
