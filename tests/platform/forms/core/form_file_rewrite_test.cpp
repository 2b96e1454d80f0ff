#include "platform/forms/core/form_file_rewrite.h"

#include <gtest/gtest.h>

using namespace forms;

namespace {

// The file as a person wrote it: comments, an explicit default, its own indentation.
const char* const kFile = "OstrelForm 1\n"
                          "# The options form.\n"
                          "Begin Form frmOptions\n"
                          "  ControlBox = Boolean True\n"
                          "  Width = Double 7512\n"
                          "  Begin Probe.Panel pnlMain\n"
                          "    # The panel's look.\n"
                          "    @Left = Double 120\n"
                          "    Caption = String \"Main\"\n"
                          "    Begin VB.Label lblName\n"
                          "      @Left = Double 60\n"
                          "      Caption = String \"Name\"\n"
                          "    End\n"
                          "  End\n"
                          "End\n";

// What the runtime writes for the file as loaded: no default, its own order, a rounded size.
const char* const kLoaded = "OstrelForm 1\n"
                            "Begin Form frmOptions\n"
                            "   Width = Double 7515\n"
                            "   Begin Probe.Panel pnlMain\n"
                            "      @Left = Double 120\n"
                            "      Caption = String \"Main\"\n"
                            "      Begin VB.Label lblName\n"
                            "         Left = Double 60\n"
                            "         Caption = String \"Name\"\n"
                            "      End\n"
                            "   End\n"
                            "End\n";

QString rewritten(const QString& original, const QString& current)
{
    return rewrite_form_text(original, FormFile::parse(QString::fromLatin1(kLoaded)), FormFile::parse(current));
}

} // namespace

TEST(FormFileRewrite, OnlyWhatChangedSinceLoadingChangesInTheFile)
{
    struct Case {
        const char* what;
        const char* from; // replaced in kLoaded to give the form now
        const char* to;
        const char* file_from; // replaced in kFile to give the expected text
        const char* file_to;
    };
    const Case cases[] = {
        {"nothing changed", "", "", "", ""},
        {"a value changed", "Caption = String \"Main\"", "Caption = String \"Start\"", "Caption = String \"Main\"",
         "Caption = String \"Start\""},
        {"an intrinsic's place, written as an extender line", "Left = Double 60\n", "Left = Double 90\n",
         "@Left = Double 60", "@Left = Double 90"},
        {"a value back to its default", "      @Left = Double 120\n", "", "    @Left = Double 120\n", ""},
        {"a new value before the block's first control", "      Caption = String \"Main\"\n",
         "      Caption = String \"Main\"\n      Enabled = Boolean False\n", "    Begin VB.Label",
         "    Enabled = Boolean False\n    Begin VB.Label"},
        {"a new value of the form", "   Width = Double 7515\n",
         "   Width = Double 7515\n   Caption = String \"Options\"\n", "  Begin Probe.Panel",
         "  Caption = String \"Options\"\n  Begin Probe.Panel"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QString current = QString::fromLatin1(kLoaded);
        if (*c.from)
            current.replace(QString::fromLatin1(c.from), QString::fromLatin1(c.to));
        QString expected = QString::fromLatin1(kFile);
        if (*c.file_from)
            expected.replace(QString::fromLatin1(c.file_from), QString::fromLatin1(c.file_to));
        EXPECT_EQ(rewritten(QString::fromLatin1(kFile), current).toStdString(), expected.toStdString());
        // The same with CR LF line ends: every line keeps its own.
        QString crlf = QString::fromLatin1(kFile);
        crlf.replace(QLatin1String("\n"), QLatin1String("\r\n"));
        expected.replace(QLatin1String("\n"), QLatin1String("\r\n"));
        EXPECT_EQ(rewritten(crlf, current).toStdString(), expected.toStdString());
    }
}

TEST(FormFileRewrite, AFormWhoseControlsAreNotTheFilesIsWrittenPlainly)
{
    QString current = QString::fromLatin1(kLoaded);
    current.replace(QLatin1String("   End\nEnd\n"), QLatin1String("   End\n   Begin VB.Label lblMore\n   End\nEnd\n"));
    const FormData now = FormFile::parse(current);
    EXPECT_EQ(rewritten(QString::fromLatin1(kFile), current), FormFile::write(now));
    EXPECT_EQ(rewritten(QStringLiteral("not a form"), QString::fromLatin1(kLoaded)),
              FormFile::write(FormFile::parse(QString::fromLatin1(kLoaded))));
}
