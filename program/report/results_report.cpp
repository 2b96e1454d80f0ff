#include "program/report/results_report.h"

#include "program/report/program_strings.h"
#include "program/report/report_name.h"
#include "program/report/resources.h"

#include "platform/forms/core/vb_error.h"

#include <limits>
#include <vector>

namespace program {
namespace {

constexpr QChar kTab = u'\t';
const QString kCrLf = QStringLiteral("\r\n");

// The rows' cells; an empty row has none, as a split of an empty text has no elements.
QStringList cells_of(const QString& row) { return row.isEmpty() ? QStringList() : row.split(kTab); }

const QString& cell(const QStringList& cells, qsizetype index)
{
    if (index < 0 || index >= cells.size())
        forms::raise(forms::vberr::SubscriptOutOfRange);
    return cells[index];
}

const QString& row_at(const QStringList& results, qsizetype position)
{
    if (position < 1 || position > results.size())
        forms::raise(forms::vberr::SubscriptOutOfRange);
    return results[position - 1];
}

QString MakeINISection(qsizetype index, const QStringList& results)
{
    QString header = row_at(results, 1);
    while (header.endsWith(kTab))
        header.chop(1);
    const QStringList titles = cells_of(header);
    const QStringList cells = cells_of(row_at(results, index));

    QString section = u'[' + cell(cells, 0) + u']' + kCrLf;
    const qsizetype m = std::min(titles.size() - 1, cells.size() - 1);
    for (qsizetype j = 1; j <= m; ++j)
        section += titles[j] + u'=' + cells[j] + kCrLf;
    section += kCrLf;
    return section;
}

QStringList build_matrix(ProcessedDomains& domains)
{
    QStringList results;
    QString header;
    for (const QString& title : domains.PropertyNames())
        header += title + kTab;
    results.append(header);

    const qsizetype columns = std::max<qsizetype>(domains.PropertyNames().size() - 1, 0);
    std::vector<std::int32_t> sums(static_cast<std::size_t>(columns), 0);
    const QString noData = Resources::Shared().LoadString(IDS_NO_DATA);

    domains.ForEach([&](const std::shared_ptr<Domain>& domain) {
        if (!domain->isCorrectlyProcessed)
            return;
        QString row = ReportName(domain->DomainName);
        const auto& props = domain->Props();
        for (std::int32_t j = 1; j <= props->Count(); ++j) {
            const QString text = props->Item(j)->value;
            bool numeric = false;
            const std::int32_t v = text.toInt(&numeric);
            if (!numeric)
                forms::raise(forms::vberr::TypeMismatch);
            QString cellText = noData;
            if (v != -1) {
                if (static_cast<std::size_t>(j) > sums.size())
                    forms::raise(forms::vberr::SubscriptOutOfRange);
                std::int32_t& sum = sums[static_cast<std::size_t>(j - 1)];
                if (__builtin_add_overflow(sum, v, &sum))
                    forms::raise(forms::vberr::Overflow);
                cellText = text;
            }
            row += kTab + cellText;
        }
        results.append(row);
    });

    QString total = kTotalRowName;
    for (std::int32_t sum : sums)
        total += kTab + QString::number(sum);
    results.append(total);
    return results;
}

} // namespace

std::optional<QStringList> FillResultsMatrix(ProcessedDomains& domains, const failure_reporter& report)
{
    try {
        return build_matrix(domains);
    } catch (const forms::VbError& error) {
        if (report)
            report(error.description());
    } catch (const std::exception& error) {
        if (report)
            report(QString::fromUtf8(error.what()));
    }
    return std::nullopt;
}

QString MakeINIString(const QStringList& results)
{
    const qsizetype n = results.size();
    QString text = MakeINISection(n, results);
    for (qsizetype i = 2; i <= n - 1; ++i)
        text += MakeINISection(i, results);
    return text;
}

} // namespace program
