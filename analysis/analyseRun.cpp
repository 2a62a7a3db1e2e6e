#include "analysis/analyseRun.hpp"

#include "analysis/initTimeStatistics.hpp"
#include "analysis/setup.hpp"
#include "platform/base/RuntimeError.hpp"

namespace ambiscan::analysis {

namespace {

// The time statistics, reliability, error statistics and bad-init list of data set k.
DataSetResults analyseDataSet(const TimeBase& base, const std::string& name, std::size_t k) {
    DataSetResults d;
    d.name = name;
    d.times = base.inits.columnAt(initTimeColumn(k));
    // East, north and height are neighbouring columns of the records.
    const Matrix errors = base.inits.columnsAt(errorColumn(base.numDataSets, k, 0), 3);
    d.east = errors.columnAt(0);
    d.north = errors.columnAt(1);
    d.height = errors.columnAt(2);

    const InitTimeSummary summary = initTimeSummary(d.times, base.numInits);
    d.CDF = summary.CDF;
    DataSetStatistics& s = d.stats;
    s.name = name;
    s.Init90 = summary.ninetyPercentile;
    s.InitMax = summary.max;
    s.InitAv = summary.mean;
    s.InitMedian = summary.median;
    s.InitNum = base.numInits;
    s.InitHours = base.runLength;

    d.allErrors = errorStatistics(errors);
    d.badRows = badRows(errors);
    const double numBad = static_cast<double>(d.badRows.size());
    s.PercentGood = 100 * (base.numInits - numBad) / base.numInits;
    // With bad inits the error statistics are those of the good ones.
    ErrorStatistics e = d.allErrors;
    if (!d.badRows.empty()) {
        d.badInitList = badInitList(name, d.badRows, base.inits.columnAt(0), errors);
        e = errorStatistics(selectRows(errors, goodRows(d.badRows, errors.rows())));
    }
    s.InitEMean = e.mean[0];
    s.InitNMean = e.mean[1];
    s.InitUMean = e.mean[2];
    s.InitESigma = e.sigma[0];
    s.InitNSigma = e.sigma[1];
    s.InitUSigma = e.sigma[2];
    return d;
}

}  // namespace

RunResults analyseRun(const Matrix& inits, const CellRow& DataSetStrings,
                      const std::string& MainTitle, WorkerPool* pool) {
    if (DataSetStrings.empty()) {
        throw RuntimeError("A run needs at least one data set");
    }
    const TimeBase base = setup(inits, DataSetStrings.size(), DataSetStrings);

    RunResults results;
    results.title = MainTitle;
    results.startTimes = base.inits.columnAt(0);
    results.firstStart = base.minTime;
    results.lastStart = base.maxTime;
    results.hours = base.runLength;
    results.numInits = base.numInits;
    results.TitleString = base.TitleString;
    results.MaxLength = base.MaxLength;
    const Matrix& startTimes = results.startTimes;
    results.axis =
        timeAxis(startTimes[0], startTimes[startTimes.numel() - 1], base.minTime, base.maxTime);
    results.dataSets.resize(base.numDataSets);
    const auto analyse = [&](std::size_t k) {
        results.dataSets[k] = analyseDataSet(base, DataSetStrings[k], k);
    };
    if (pool != nullptr) {
        pool->forEach(base.numDataSets, analyse);
    } else {
        for (std::size_t k = 0; k < base.numDataSets; ++k) {
            analyse(k);
        }
    }
    return results;
}

}  // namespace ambiscan::analysis
