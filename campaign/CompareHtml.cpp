#include "campaign/CompareHtml.hpp"

#include <cmath>

#include "app/Version.hpp"
#include "campaign/CompareVerdict.hpp"
#include "campaign/MannWhitney.hpp"
#include "platform/encoding/Base64.hpp"
#include "report/HtmlText.hpp"
#include "report/ReportNumbers.hpp"

namespace ambiscan::campaign {

namespace {

using report::escapeHtml;
using report::fixed;

constexpr const char* kStyle = R"(
body{font-family:"DejaVu Sans","Liberation Sans",Arial,sans-serif;color:#1d1d1d;line-height:1.45;
max-width:1240px;margin:0 auto;padding:16px 20px}
h1{font-size:1.7em;margin:.2em 0 .3em}h2{font-size:1.3em;margin:1.4em 0 .5em;
border-bottom:1px solid #ccc}.sha{font-family:"DejaVu Sans Mono",monospace;font-size:.85em;
word-break:break-all}.note{color:#555;font-size:.9em}
.verdict li{margin:.3em 0}.worse{background:#fbe3e1;border-left:.35em solid #c0392b;padding-left:.3em}
.gate{padding:.4em .8em;border-radius:.3em}.gate.pass{background:#e3f4e1;border:1px solid #5a9e52}
.gate.fail{background:#fbe3e1;border:1px solid #c0392b}
.scroll{overflow-x:auto}table{border-collapse:collapse;font-variant-numeric:tabular-nums}
th,td{border:1px solid #c8c8c8;padding:.25em .6em;text-align:right;white-space:nowrap}
th:first-child,td:first-child,td.text{text-align:left}thead th{background:#f2f2f2}
figure{margin:1em 0 1.4em;break-inside:avoid;page-break-inside:avoid}
figure img{display:block;max-width:100%;height:auto;border:1px solid #ddd}
figcaption{font-size:.92em;margin-top:.3em}
@media (max-width:640px){body{padding:8px 10px;font-size:15px}
th,td{padding:.2em .35em;white-space:normal;font-size:.85em}}
@media print{body{max-width:none;padding:0;font-size:11pt}
h2{break-after:avoid;page-break-after:avoid}
figure img{max-height:10.2cm;width:auto;max-width:100%}.scroll{overflow:visible}}
)";

std::string cell(const std::string& text) {
    return "<td>" + text + "</td>";
}
std::string textCell(const std::string& text) {
    return "<td class=\"text\">" + escapeHtml(text) + "</td>";
}

std::string runsTable(const Campaign& campaign) {
    std::string html =
        "<div class=\"scroll\"><table><thead><tr><th>run</th><th>label</th><th>title</th>"
        "<th>note</th><th>records</th><th>receivers</th><th>input SHA-256</th>"
        "<th>program</th></tr></thead><tbody>\n";
    for (std::size_t r = 0; r < campaign.runs.size(); ++r) {
        const RunRecord& run = campaign.runs[r];
        std::string receivers;
        for (const ReceiverRecord& rx : run.receivers) {
            receivers += (receivers.empty() ? "" : ", ") + escapeHtml(rx.name);
        }
        html += "<tr>" +
                cell(escapeHtml(run.source) + (r == campaign.baseline ? " (baseline)" : "")) +
                textCell(run.label) + textCell(run.title) + textCell(run.note) +
                cell(std::to_string(run.records)) + "<td class=\"text\">" + receivers + "</td>" +
                "<td class=\"sha\">" + escapeHtml(run.inputSha256) + "</td>" +
                cell(escapeHtml(run.programVersion)) + "</tr>\n";
    }
    return html + "</tbody></table></div>\n";
}

// A signed number in a table cell, the minus as the sign is printed: "−6.00", "0.25".
std::string signedText(double v, int decimals) {
    const std::string text = fixed(v, decimals);
    return text.front() == '-' ? "\u2212" + text.substr(1) : text;
}

// A difference with its interval: "−6.00 (−9.05 to −3.29)"; "—" for what is not defined.
std::string withInterval(double v, const evidence::Interval& ci, int decimals) {
    const auto bound = [decimals](double b) {
        return std::isfinite(b) ? signedText(b, decimals) : std::string("—");
    };
    return signedText(v, decimals) + " (" + bound(ci.lower) + " to " + bound(ci.upper) + ")";
}

// A p in a table cell: "0.38", "< 0.001".
std::string pCell(double p) {
    const std::string text = report::pValue(p);
    return text.rfind("p = ", 0) == 0 ? text.substr(4) : text.substr(2);
}

std::string numbersTable(const Campaign& campaign) {
    std::string html =
        "<div class=\"scroll\"><table><thead><tr><th>run, receiver</th><th>reliability</th>"
        "<th>baseline</th><th>difference (95 % interval), points</th><th>Fisher p (Holm)</th>"
        "<th>correct fixes</th><th>baseline</th><th>difference (95 % interval), points</th>"
        "<th>Fisher p (Holm)</th><th>Mann–Whitney p (Holm)</th><th>shift when fixed "
        "correctly (95 % interval)</th></tr></thead><tbody>\n";
    for (const ReceiverComparison& c : campaign.comparisons) {
        const auto rate = [](const RateComparison& r) {
            return cell(fixed(r.percent, 2, "%")) + cell(fixed(r.baselinePercent, 2, "%")) +
                   cell(withInterval(r.differencePercent, r.differenceCi95, 2)) +
                   cell(pCell(r.fisherP) + " (" + pCell(r.pHolm) + ")");
        };
        const TimeComparison& t = c.time;
        html +=
            "<tr" + std::string(c.regression() ? " class=\"worse\"" : "") + ">" +
            cell(escapeHtml(campaign.runs[c.run].label + " " + c.legendInRun)) +
            rate(c.reliability) + rate(c.correctFix) +
            cell(pCell(t.test.p) + " (" + pCell(t.pHolm) + ")" + (t.test.exact ? ", exact" : "")) +
            cell(withInterval(t.shift.estimate, t.shift.ci95, 1) + " s") + "</tr>\n";
    }
    return html + "</tbody></table></div>\n";
}

std::string definitions(const Campaign& campaign) {
    const std::string limit = std::to_string(kMannWhitneyExactLimit);
    const std::vector<std::string> lines = {
        "Runs are independent samples: each receiver of another run is compared with the "
        "baseline's receiver of the same legend (or the one --match names). A comparison of two "
        "receivers inside one run is the run's own paired test, in its report.html.",
        "Reliability: good fixes of all attempts (the run's bad-fix rule). Correct fix: a good "
        "fix within 500.5 s; T is its time, every other attempt counts as no correct fix.",
        "Fisher p: Fisher's exact test, two-sided (every table no more likely than the one "
        "observed, relative tolerance 1e-7). Differences in points with Newcombe's hybrid score "
        "interval (method 10, Wilson limits).",
        "Mann–Whitney p: the rank-sum test on T of all attempts, attempts without a correct fix "
        "tied at the top; exact over every split with the observed midranks when both runs hold "
        "at most " +
            limit + " attempts, else normal with tie and continuity corrections.",
        "Shift: the Hodges–Lehmann estimate over the correct fixes (median of all differences, "
        "this run minus the baseline; positive is later) with its distribution-free 95 % interval.",
        "Holm: every p of this comparison (" + std::to_string(campaign.adjustedPValues) +
            ", three per receiver compared) adjusted by Holm's step-down method; a difference is "
            "significant when the adjusted p is below 0.05. A run is marked worse when its "
            "reliability is significantly lower or its time to a correct fix significantly later.",
        "Trends (three runs or more): reliability with its Clopper–Pearson 95 % interval, and the "
        "90 % time to a correct fix (the ⌈0.9 n⌉-th smallest T) with its distribution-free 95 % "
        "interval; a bound past 500 s is drawn at the top.",
    };
    std::string html = "<ul class=\"note\">\n";
    for (const std::string& line : lines) {
        html += "<li>" + escapeHtml(line) + "</li>\n";
    }
    return html + "</ul>\n";
}

}  // namespace

std::string compareHtml(const Campaign& campaign, const std::vector<PageFigure>& figures) {
    const RunRecord& base = campaign.runs[campaign.baseline];
    const std::string heading =
        "Comparison of " + std::to_string(campaign.runs.size()) + " runs against " + base.label;
    std::string html =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<title>" +
        escapeHtml(heading) + " · ambiscan comparison</title>\n<style>" + kStyle +
        "</style>\n</head>\n<body>\n";
    html += "<h1>" + escapeHtml(heading) + "</h1>\n";
    html += "<p class=\"note\">Baseline: " + escapeHtml(base.label) + " (" +
            escapeHtml(base.source) + "). ambiscan " + kVersion + ".</p>\n";
    const bool worse = campaign.anyRegression();
    html += std::string("<div class=\"gate ") + (worse ? "fail" : "pass") + "\"><p>" +
            (worse ? "At least one receiver is significantly worse than the baseline."
                   : "No receiver is significantly worse than the baseline.") +
            "</p></div>\n";
    html += "<h2>Verdict</h2>\n<ul class=\"verdict\">\n";
    for (const ReceiverComparison& c : campaign.comparisons) {
        html += std::string("<li") + (c.regression() ? " class=\"worse\"" : "") + ">" +
                escapeHtml(compareVerdict(c, campaign)) + "</li>\n";
    }
    html += "</ul>\n";
    if (!campaign.unmatched.empty()) {
        html += "<h2>Not compared</h2>\n<ul>\n";
        for (const Unmatched& u : campaign.unmatched) {
            html += "<li>" + escapeHtml(campaign.runs[u.run].label) + ": " + escapeHtml(u.legend) +
                    (u.inBaseline ? " of the baseline is not in this run"
                                  : " has no receiver of that legend in the baseline") +
                    "</li>\n";
        }
        html += "</ul>\n";
    }
    html += "<h2>Runs</h2>\n" + runsTable(campaign);
    html += "<h2>Numbers</h2>\n" + numbersTable(campaign);
    if (!figures.empty()) {
        html += "<h2>Trends</h2>\n";
        for (const PageFigure& f : figures) {
            html += "<figure><img src=\"data:image/png;base64," + base64(f.png) +
                    "\" alt=\"" + escapeHtml(f.caption) + "\"><figcaption>" +
                    escapeHtml(f.caption) + "</figcaption></figure>\n";
        }
    }
    html += "<h2>How these numbers are defined</h2>\n" + definitions(campaign);
    return html + "</body>\n</html>\n";
}

}  // namespace ambiscan::campaign
