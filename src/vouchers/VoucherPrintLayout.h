#pragma once
// The printed trade voucher: what goes on it, and where it goes on A4 pages.
// The layout is plain data in millimetres from the paper's top-left corner; drawing it
// is VoucherPrintDraw's business.
#include <QDate>
#include <QString>
#include <QVector>

// The fixed texts of one kind's printout (the kind brings them: VoucherKind::print()).
struct VoucherPrintTexts {
    QString titleSuffix;        // after the company name
    bool trimCompanyName;       // the issue title keeps the stored name as it is
    QString partnerCaption;
    QString dateCaption;
    QString categoryCaption;
    bool trimCategory;
    QString personCaption;
    QString dueCaption;
    QString settledCaption;
};

// One goods line as the lines grid shows it.
struct VoucherPrintLine {
    QString code;     // 商品代码
    QString name;     // 商品名称
    QString unit;     // 单位
    QString price;    // 单价
    QString quantity; // 数量
    QString amount;   // 金额
};

// Everything printed on one voucher, as texts the screen shows.
struct VoucherPrintData {
    VoucherPrintTexts texts;
    QString companyName;    // J_yhb.yhmc as stored
    QString companyAddress; // J_yhb.dz
    QString companyPhone;   // J_yhb.dh1
    QString number;
    QString date;
    QString category;
    QString partner;
    QString person;
    QString approver;
    QString remark;
    bool settled = false;   // deemed settled
    QString due = QStringLiteral("0");
    QString paid = QStringLiteral("0");
    QString outstanding = QStringLiteral("0");
    QDate printDate = QDate::currentDate();
    QVector<VoucherPrintLine> lines;
};

// A font as the report names it; drawing maps the face to an installed one.
struct VoucherPrintFont {
    QString face;       // "宋体", "黑体", "MS Sans Serif"
    int pixels = 13;    // character height in screen pixels (96 per inch)
    bool bold = false;
    bool operator==(const VoucherPrintFont&) const = default;
};

struct VoucherPrintText {
    QString name;       // the report element, e.g. "QRLabel1", "QRDBText10"
    double left = 0;    // mm
    double top = 0;     // mm, top of the text's line box
    QString text;
    VoucherPrintFont font;
};

// A hairline from (x1, y1) to (x2, y2), mm.
struct VoucherPrintRule {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct VoucherPrintBand {
    QString name;       // "TitleBand1", "ColumnHeaderBand1", "DetailBand1", "SummaryBand1"
    double top = 0;     // mm
    double height = 0;
};

struct VoucherPrintPage {
    QVector<VoucherPrintBand> bands;
    QVector<VoucherPrintText> texts;
    QVector<VoucherPrintRule> rules;
    // The texts of one element on this page, in print order.
    QVector<VoucherPrintText> textsNamed(const QString& name) const;
    int bandCount(const QString& name) const;
};

struct VoucherPrintDocument {
    static constexpr double paperWidth = 210.0;  // A4 portrait
    static constexpr double paperHeight = 297.0;
    static constexpr double margin = 10.0;
    static constexpr double ruleWidth = 0.3;
    QVector<VoucherPrintPage> pages;
};

// Title once at the top of the first page, the column header at the top of every page,
// one detail band per line, the summary once after the last line; a band that does not
// fit on the page starts the next one.
VoucherPrintDocument layoutVoucher(const VoucherPrintData& data);
