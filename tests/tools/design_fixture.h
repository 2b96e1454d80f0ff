#pragma once
// The design tool's tests: the control library registered, a folder of the test's own with a
// copy of the program's own form in it, and the captions files kept in that folder.

#include "tests/controls/kycomctl_fixture.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdlib>

class DesignToolTest : public KyComCtlTest {
protected:
    void SetUp() override
    {
        KyComCtlTest::SetUp();
        setenv("OSTREL_CAPTIONS_DIR", dir_.path().toLocal8Bit().constData(), 1);
        program_form_ = dir_.filePath(QStringLiteral("frmMain.frm"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(OSTREL_PROGRAM_FORM), program_form_));
        ASSERT_TRUE(QFile::setPermissions(program_form_, QFile::ReadOwner | QFile::WriteOwner));
    }
    void TearDown() override
    {
        unsetenv("OSTREL_CAPTIONS_DIR");
        KyComCtlTest::TearDown();
    }

    static QByteArray read_all(const QString& path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return file.readAll();
    }

    QTemporaryDir dir_;
    QString program_form_;
};
