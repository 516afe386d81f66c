// The calculation sheet of each calculator on its design-time texts, as the
// 计算书 command and 导出PDF make it: the sheet written from the texts, laid
// out for an A4 PDF page and broken into pages; and the whole PDF rendered
// into memory. Runs headless on the offscreen platform unless
// QT_QPA_PLATFORM says otherwise.

#include "calculatorwindows.h"
#include "sheetdocument.h"
#include "sheetpages.h"
#include "sheettext.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

// The snapshot a complete calculation on the design-time texts leaves.
SheetSnapshot calculatedDefaults(const CalculatorWindowEntry& entry)
{
    FieldTexts fields = designTimeTexts(entry.calculator->fields());
    (void)entry.calculator->calculate(fields, NumberFormat { U'.' });
    SheetSnapshot snapshot;
    for (const auto& [field, text] : fields)
        snapshot.texts.insert(QString::fromStdString(field), QString::fromStdString(text));
    snapshot.calculatedAt = QDateTime(QDate(2026, 12, 8), QTime(9, 30));
    snapshot.titleBlock.projectName = u"某厂房"_qs;
    return snapshot;
}

void writeAndPaginate(benchmark::State& state, const CalculatorWindowEntry* entry)
{
    const SheetSnapshot snapshot = calculatedDefaults(*entry);
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    QPdfWriter device(&sink);
    device.setResolution(sheetResolution);
    device.setPageLayout(sheetPageLayout());
    qsizetype pages = 0;
    for (auto _ : state) {
        const CalculationSheet sheet = entry->sheet(snapshot);
        const std::unique_ptr<QTextDocument> document = sheetDocument(sheet, &device);
        document->setDocumentMargin(0);
        document->setTextWidth(device.width());
        pages = paginate(*document, device.height()).size();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = double(pages);
}

void renderPdf(benchmark::State& state, const CalculatorWindowEntry* entry)
{
    const SheetSnapshot snapshot = calculatedDefaults(*entry);
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray pdf = sheetPdf(entry->sheet(snapshot));
        bytes = pdf.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = double(bytes);
}

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    for (const CalculatorWindowEntry& entry : calculatorWindows()) {
        const std::string id(entry.calculator->id);
        benchmark::RegisterBenchmark((id + "SheetPages").c_str(), writeAndPaginate, &entry)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((id + "SheetPdf").c_str(), renderPdf, &entry)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
