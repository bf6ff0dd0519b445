#pragma once
// TForm33 "畅销商品排行榜" and TForm34 "诚信客户排行榜": one ranked list each, shown as
// the screen opens. One screen, driven by a row per ranking.
#include "reports/QueryScreen.h"

struct RankingKind {
    QString name;      // "Form33"
    QString caption;
    QString groupTitle;
    QString sql;
    QColor text;
    QColor titles;
    bool centredOperator; // the status bar's first panel centred
    QStringList columnSamples; // the widest text each grid column should show uncut
};

class RankingScreen : public QueryScreen {
    Q_OBJECT
public:
    QGroupBox* GroupBox1;
    DBGrid* DBGrid1;
    QPushButton* BitBtn1;
    StatusBar* StatusBar1;

    void FormShow() override;

protected:
    RankingScreen(QWidget* parent, const RankingKind& kind);

private:
    const RankingKind& m_kind;
};

class TForm33 : public RankingScreen {
    Q_OBJECT
public:
    explicit TForm33(QWidget* parent = nullptr);
};

class TForm34 : public RankingScreen {
    Q_OBJECT
public:
    explicit TForm34(QWidget* parent = nullptr);
};
