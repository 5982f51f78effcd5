#pragma once

// The About window: title, credits and three links plus an update button, each opened
// through the platform's shell. Created on the first "©" and kept; shown modeless.

#include "ui/controls.h"
#include "ui/platform.h"

namespace ui {

// A label that takes the mouse: click, pointer moving over it, pointer leaving.
class LinkLabel : public Label {
public:
    using Label::Label;
    void click();
    void mouseMove();
    void mouseLeave();
    std::function<void()> onClick;
    std::function<void()> onMouseMove;
    std::function<void()> onMouseLeave;
};

// Who made the program and where it lives; kept in one table (see the .cpp).
struct MakerInfo {
    QString series;
    QString rights;
    QString designer;
    QString qualification1;
    QString qualification2;
    QString organisation; // shown in parentheses
    QString organisationUrl;
    QString website;
    QString websiteUrl;
    QString email;
    QString emailUrl; // "mailto:" and the address
    QString downloadUrl;
    QString licenses; // the rights line's tooltip
};
const MakerInfo& Maker();
// An address as the About window shows it: without "https://" and a last "/".
QString ShownAddress(const QString& url);

class TZAV_HBT_FRM_CopyRight : public ActionGuard {
public:
    // `maker`: the texts and addresses it shows; the program's own unless a test gives others.
    explicit TZAV_HBT_FRM_CopyRight(const Platform& platform, MakerInfo maker = Maker());
    const MakerInfo& maker() const { return m_maker; }

    static QString caption() { return QStringLiteral("关于"); }
    static constexpr double ClientWidth = 260;
    static constexpr double ClientHeight = 330;

    Layer CopyRightLayer{*this, nullptr, QStringLiteral("CopyRightLayer")};
    Label lb_mokuaiming{*this, &CopyRightLayer, QStringLiteral("lb_mokuaiming")};
    Label lb_xilie{*this, &CopyRightLayer, QStringLiteral("lb_xilie")};
    Label lB_copyright{*this, &CopyRightLayer, QStringLiteral("lB_copyright")};
    Label lb_sheji{*this, &CopyRightLayer, QStringLiteral("lb_sheji")};
    Label lb_zhucheshi1{*this, &CopyRightLayer, QStringLiteral("lb_zhucheshi1")};
    Label lb_zhuceshi2{*this, &CopyRightLayer, QStringLiteral("lb_zhuceshi2")};
    LinkLabel lb_danwei{*this, &CopyRightLayer, QStringLiteral("lb_danwei")};
    Label lb_wangzhilb{*this, &CopyRightLayer, QStringLiteral("lb_wangzhilb")};
    LinkLabel lb_wangzhi{*this, &CopyRightLayer, QStringLiteral("lb_wangzhi")};
    Button cbt_update{*this, &CopyRightLayer, QStringLiteral("cbt_update")};
    Label lb_lianxi{*this, &CopyRightLayer, QStringLiteral("lb_lianxi")};
    LinkLabel lb_lianxiUr{*this, &CopyRightLayer, QStringLiteral("lb_lianxiUr")};
    Image img_lianxi{*this, &CopyRightLayer, QStringLiteral("img_lianxi")};

    void lb_danweiClick();
    void lb_wangzhiClick();
    void lb_lianxiUrClick();
    void cbt_updateClick();
    void lb_danweiMouseMove();
    void lb_danweiMouseLeave();
    void lb_wangzhiMouseMove();
    void lb_wangzhiMouseLeave();
    void lb_lianxiUrMouseMove();
    void lb_lianxiUrMouseLeave();

    // Shown modeless; every "©" shows it again (the view raises its window).
    void Show();
    // Dismissed by the window system: only hidden.
    void Hide();
    bool isShown() const { return m_shown; }
    int showCount() const { return m_showCount; }

    void runUserAction(const std::function<void()>& action) override;

private:
    void open(const QString& url);

    const Platform& m_platform;
    MakerInfo m_maker;
    int m_actionDepth = 0;
    bool m_shown = false;
    int m_showCount = 0;
};

} // namespace ui
