#include "function_menus.h"

#include <QAction>
#include <QMenu>
#include <array>

namespace zc {

namespace {

constexpr std::array kGeneral = {
    FunctionMenuItem{"squ(x)", "xの平方(二乗)を計算します"},
    FunctionMenuItem{"sqr(x)", "xの平方根(ルート)を計算します"},
    FunctionMenuItem{"cub(x)", "xの立方(三乗)を計算します"},
    FunctionMenuItem{"cur(x)", "xの立方根を計算します"},
    FunctionMenuItem{"rcp(x)", "xの逆数を計算します"},
    FunctionMenuItem{"ln(x)", "xの自然対数を求めます"},
    FunctionMenuItem{"exp(x)", "自然対数の底のx乗の値を求めます"},
    FunctionMenuItem{"log(x)", "10を基数とするxの対数を求めます"},
    FunctionMenuItem{"logn(b,x)", "bを基数とするxの対数を求めます"},
    FunctionMenuItem{"ten(x)", "10のx乗を計算します"},
    FunctionMenuItem{"nPr(n,r)", "順列を求めます"},
    FunctionMenuItem{"nCr(n,r)", "組み合わせを求めます"},
    FunctionMenuItem{"fact(x)", "xの階乗を計算します"},
    FunctionMenuItem{"sign(x)", "xの符号を判断します"},
    FunctionMenuItem{"abs(x)", "xの絶対値を求めます"},
    FunctionMenuItem{"not(x)", "xを整数ビット単位で反転したものを求めます"},
    FunctionMenuItem{"rnd(x)", "0 <= ANS < x の範囲で乱数を生成します"},
    FunctionMenuItem{"ceil(x)", "xを正方向へ切り上げます"},
    FunctionMenuItem{"floor(x)", "xを負方向へ切り下げます"},
    FunctionMenuItem{"round(x)", "xの小数部を丸めます"},
    FunctionMenuItem{"trunc(x)", "xの小数部を切り捨てます"},
    FunctionMenuItem{"frac(x)", "xの小数部を返します"},
};

constexpr std::array kTrigonometric = {
    FunctionMenuItem{"sin(x)", "xのサインを求めます"},
    FunctionMenuItem{"cos(x)", "xのコサインを求めます"},
    FunctionMenuItem{"tan(x)", "xのタンジェントの求めます"},
    FunctionMenuItem{"asn(x)", "xのアークサインを計算します"},
    FunctionMenuItem{"acs(x)", "xのアークコサインを計算します"},
    FunctionMenuItem{"atn(x)", "xのアークタンジェントを計算します"},
    FunctionMenuItem{"sinh(x)", "xのハイパボリック(双曲線)サインを求めます"},
    FunctionMenuItem{"cosh(x)", "xのハイパボリック(双曲線)コサインを求めます"},
    FunctionMenuItem{"tanh(x)", "xのハイパボリック(双曲線)タンジェントを求めます"},
    FunctionMenuItem{"asnh(x)", "xのハイパボリック(双曲線)アークサインを計算します"},
    FunctionMenuItem{"acsh(x)", "xのハイパボリック(双曲線)アークコサインを計算します"},
    FunctionMenuItem{"atnh(x)", "xのハイパボリック(双曲線)アークタンジェントを計算します"},
    FunctionMenuItem{"sec(x)", "xのセカントを求めます"},
    FunctionMenuItem{"csc(x)", "xのコセカントを求めます"},
    FunctionMenuItem{"cot(x)", "xのコタンジェントを求めます"},
    FunctionMenuItem{"arcsec(x)", "xのアークセカントを計算します"},
    FunctionMenuItem{"arccsc(x)", "xのアークコセカントを計算します"},
    FunctionMenuItem{"arccot(x)", "xのアークコタンジェントを計算します"},
};

constexpr std::array kPractical = {
    FunctionMenuItem{"bmi(kg,meter)", "体格指標であるBMIを計算します"},
    FunctionMenuItem{"rohres(kg,meter)", "主に学童期の体格指標であるローレル指数を計算します"},
    FunctionMenuItem{"hypot(x,y)", "直角三角形の斜辺の長さを計算します"},
    FunctionMenuItem{"tax(x)", "税率を8%とした税込み価格を計算します"},
    FunctionMenuItem{"taxn(n,x)", "税率をn%とした税込み価格を計算します"},
};

constexpr std::array kStatistical = {
    FunctionMenuItem{"sum(n1,n2,..nx)", "パラメータの合計を計算します"},
    FunctionMenuItem{"ave(n1,n2,..nx)", "パラメータの平均を計算します"},
    FunctionMenuItem{"sumsqu(n1,n2,..nx)", "パラメータの二乗和を計算します"},
    FunctionMenuItem{"variance(n1,n2,..nx)", "パラメータの分散を計算します"},
    FunctionMenuItem{"deviation(n1,n2,..nx)", "パラメータの標準偏差を計算します"},
    FunctionMenuItem{"max(n1,n2,..nx)", "パラメータ中の最大値を返します"},
    FunctionMenuItem{"min(n1,n2,..nx)", "パラメータ中の最小値を返します"},
};

constexpr std::array kMenus = {
    FunctionMenu{"一般(&G)", kGeneral},
    FunctionMenu{"三角関数(&T)", kTrigonometric},
    FunctionMenu{"実用関数(&P)", kPractical},
    FunctionMenu{"統計関数(&D)", kStatistical},
};

}  // namespace

std::span<const FunctionMenu> FixedFunctionMenus() { return kMenus; }

QString FunctionNameOfCaption(const QString& caption) {
  const qsizetype paren = caption.indexOf(QLatin1Char('('));
  return paren < 0 ? caption : caption.left(paren);
}

QString EscapeMenuText(QString text) {
  text.replace(QLatin1Char('&'), QStringLiteral("&&"));
  return text;
}

void AddFixedFunctionMenus(QMenu* parent, const std::function<void(const QString&)>& insertName) {
  for (const FunctionMenu& menu : FixedFunctionMenus()) {
    QMenu* submenu = parent->addMenu(QString::fromUtf8(menu.title));
    for (const FunctionMenuItem& item : menu.items) {
      const QString caption = QString::fromUtf8(item.caption);
      QAction* action = submenu->addAction(EscapeMenuText(caption));
      action->setStatusTip(QString::fromUtf8(item.hint));
      QObject::connect(action, &QAction::triggered, submenu,
                       [insertName, caption] { insertName(FunctionNameOfCaption(caption)); });
    }
  }
}

TUserFunctionMenu::TUserFunctionMenu(QMenu* menu, const UserFunctionList& functions,
                                     std::function<void(const QString&)> insertName)
    : QObject(menu), menu_(menu), functions_(functions), insertName_(std::move(insertName)) {
  none_ = menu_->addAction(QStringLiteral("[なし]"));
  none_->setEnabled(false);
  connect(menu_, &QMenu::aboutToShow, this, &TUserFunctionMenu::Rebuild);
}

void TUserFunctionMenu::Rebuild() {
  for (QAction* action : menu_->actions()) {
    if (action == none_) continue;
    menu_->removeAction(action);
    action->deleteLater();
  }
  none_->setVisible(functions_.empty());
  for (const auto& function : functions_) {
    const QString caption = QString::fromStdString(function->aName + "(" + function->aParams + ")");
    QAction* action = menu_->addAction(EscapeMenuText(caption));
    action->setStatusTip(QString::fromStdString(function->aExplain));
    connect(action, &QAction::triggered, this,
            [this, caption] { insertName_(FunctionNameOfCaption(caption)); });
  }
}

}  // namespace zc
