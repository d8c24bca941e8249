// The REPORT window as a real window: the report in the fixed-pitch font with tab stops every 8
// columns, opened at its top, rules not wrapped; the PDF of the report.

#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <memory>
#include <string>

#include "app/configuration_report.h"
#include "app/creport_dlg.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "platform/qt/dialog_widget.h"
#include "platform/qt/plain_text_look.h"
#include "platform/qt/qt_front_end.h"
#include "platform/qt/qt_printer.h"
#include "platform/win/virtual_clock.h"
#include "platform/win/window.h"
#include "tests/qt/qt_test_support.h"

namespace tra1::qtui {
namespace {

class ReportWindowQtTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::EnsureQtApp();
        frontEnd_ = std::make_unique<QtFrontEnd>(loop_);
        profile_.SetModel(ModelProfile::kTrA1);
        image_.ResetToDefaults(profile_);
        ASSERT_TRUE(main_.CreateHidden());
    }
    void TearDown() override {
        report_.reset();
        testing::FlushQtEvents();
    }

    win::VirtualClock clock_;
    win::EventLoop loop_{clock_};
    std::unique_ptr<QtFrontEnd> frontEnd_;
    ModelProfile profile_;
    ReceiverImage image_;
    win::Window main_{loop_};
    std::unique_ptr<CREPORTDlg> report_;
};

TEST_F(ReportWindowQtTest, ReportReadsInFixedColumnsFromTheTop) {
    report_ = std::make_unique<CREPORTDlg>(loop_, image_, profile_, main_.Handle());
    ASSERT_TRUE(report_->Create());
    report_->Show();
    DialogWidget* widget = frontEnd_->Host().WidgetFor(report_->Handle());
    ASSERT_NE(widget, nullptr);
    auto* edit = qobject_cast<QPlainTextEdit*>(widget->ControlWidget(CREPORTDlg::kReportEdit));
    ASSERT_NE(edit, nullptr);
    widget->show();
    testing::FlushQtEvents();

    const QFontMetricsF metrics(edit->font());
    // Fixed pitch: every character as wide as every other.
    EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QLatin1Char('i')),
                     metrics.horizontalAdvance(QLatin1Char('W')));
    EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_DOUBLE_EQ(edit->tabStopDistance(), 8 * metrics.horizontalAdvance(QLatin1Char('0')));
    // At the top: the caret and the view.
    EXPECT_EQ(edit->textCursor().position(), 0);
    EXPECT_EQ(edit->verticalScrollBar()->value(), 0);
    // The header's 74-character rule is one line on screen.
    const QTextBlock first = edit->document()->firstBlock();
    EXPECT_EQ(first.text(), QString(74, QLatin1Char('=')));
    EXPECT_EQ(first.layout()->lineCount(), 1);
    // A label and its value: the tabs bring ": " to the same column as the fixed labels.
    EXPECT_TRUE(edit->toPlainText().contains(QStringLiteral("CENTER\t\t\t: LARGE")));
}

TEST_F(ReportWindowQtTest, PdfOfTheReportHasItsPages) {
    const std::string text = ConfigurationReport(image_, profile_).Text();
    QtPrinter printer(&frontEnd_->Host());
    const win::PdfOutcome pdf = printer.RenderPdf({"REPORT", text, {}});
    ASSERT_FALSE(pdf.document.empty()) << pdf.error;
    const std::string bytes(pdf.document.begin(), pdf.document.end());
    EXPECT_TRUE(bytes.starts_with("%PDF-"));
    EXPECT_NE(bytes.rfind("%%EOF"), std::string::npos);
    // The report runs to many pages at 9 points.
    std::size_t pages = 0;
    for (std::size_t at = bytes.find("/Type /Page\n"); at != std::string::npos;
         at = bytes.find("/Type /Page\n", at + 1)) {
        ++pages;
    }
    EXPECT_GT(pages, 10u);
}

// The columns a line of text takes with tab stops every 8 columns.
int Columns(const QString& line) {
    int columns = 0;
    for (const QChar c : line) {
        columns = c == QLatin1Char('\t') ? (columns / kTabColumns + 1) * kTabColumns : columns + 1;
    }
    return columns;
}

TEST_F(ReportWindowQtTest, PrintedReportKeepsEveryLabelBesideItsValue) {
    const std::string text = ConfigurationReport(image_, profile_).Text();
    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    QPdfWriter writer(&buffer);
    writer.setResolution(1200);  // a printer's resolution, far from the screen's
    writer.setPageSize(QPageSize(QPageSize::A4));
    // Laid out as QTextDocument::print lays it out: on the device, a page wide.
    const std::unique_ptr<QTextDocument> document = QtPrinter::MakeDocument({"REPORT", text, {}});
    document->documentLayout()->setPaintDevice(&writer);
    document->setPageSize(QSizeF(writer.width(), writer.height()));
    ASSERT_GT(document->pageCount(), 1);  // lays the whole text out
    int checked = 0;
    for (QTextBlock block = document->firstBlock(); block.isValid(); block = block.next()) {
        // Every line that fits in the report's 74 columns stays one line: a tab that jumped too
        // far would break it and put the value under its label.
        if (block.text().contains(QLatin1Char('\t')) && Columns(block.text()) <= 74) {
            EXPECT_EQ(block.layout()->lineCount(), 1) << block.text().toStdString();
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
}

}  // namespace
}  // namespace tra1::qtui
