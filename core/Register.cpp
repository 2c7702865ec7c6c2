#include "Register.h"
#include "ScreenRegistry.h"
#include "Ut_ManageUser.h"
#include "Ut_ModiPassWord.h"
#include "Ut_SysParaSet.h"

void RegisterCoreScreens()
{
    Screens::Register(QStringLiteral("TFrm_ManageUser"), [](QWidget *parent) { return new TFrm_ManageUser(parent); });
    Screens::Register(QStringLiteral("TFrm_ModiPassWord"), [](QWidget *parent) { return new TFrm_ModiPassWord(parent); });
    Screens::Register(QStringLiteral("TFrm_SysParaSet"), [](QWidget *parent) { return new TFrm_SysParaSet(parent); });
}
