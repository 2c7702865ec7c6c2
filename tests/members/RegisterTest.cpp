#include "MembersFixture.h"

#include "core/DialogUnit.h"
#include "core/ScreenRegistry.h"
#include "members/Register.h"

#include <QCameraDevice>
#include <QMediaDevices>
#include <memory>

TEST_F(MembersTest, EveryScreenIsRegisteredAndOpensWithItsDemoState)
{
    AddMember({.card = "1001", .name = "张三", .money = 120});
    RegisterMemberScreens();
    for (const char *name : {"TFrm_HYCardSet", "TFrm_HYManage", "TFrm_MemberAdd", "TFrm_TakePhoto", "TFrm_BackMemberCode",
                             "TFrm_PutOutPassWord", "Tfrm_ChangeCard", "TFrm_CardCost"}) {
        std::unique_ptr<TfrmDialog> screen(Screens::Create(QString::fromLatin1(name)));
        ASSERT_NE(screen, nullptr) << name;
        EXPECT_EQ(screen->objectName(), QString::fromLatin1(name));
        if (auto setup = Screens::SetupFor(QString::fromLatin1(name)))
            setup(screen.get());
        screen->show();
        EXPECT_FALSE(screen->grab().isNull()) << name;
    }
    // Full-screen screens are MDI children; the rest are dialogs.
    EXPECT_TRUE(std::unique_ptr<TfrmDialog>(Screens::Create("TFrm_HYManage"))->IsChildScreen());
    EXPECT_TRUE(std::unique_ptr<TfrmDialog>(Screens::Create("TFrm_HYCardSet"))->IsChildScreen());
    EXPECT_FALSE(std::unique_ptr<TfrmDialog>(Screens::Create("TFrm_CardCost"))->IsChildScreen());
    // Without a camera the capture dialog says so instead of failing.
    if (QMediaDevices::videoInputs().isEmpty())
        EXPECT_TRUE(messages.wasShown(QStringLiteral("没有摄像设备或者设备不正常！请检查...")));
}
