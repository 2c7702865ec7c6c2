#include "Ut_TakePhoto.h"
#include "core/DM.h"
#include "core/Messages.h"
#include "core/Routines.h"

#include <QCamera>
#include <QCameraDevice>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVideoFrame>
#include <QVideoSink>
#include <QVideoWidget>
#include <stdexcept>

namespace {
const QSize kPictureSize(300, 225);
}

TFrm_TakePhoto::TFrm_TakePhoto(QWidget *parent) : TfrmDialog(parent)
{
    setObjectName(QStringLiteral("TFrm_TakePhoto"));
    SetTitle(QStringLiteral("采集照片"));

    auto *lay = new QVBoxLayout(Body());
    lay->setContentsMargins(10, 8, 10, 4);
    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("选择设备驱动："), Body()));
    RzComb_Device = new QComboBox(Body());
    RzComb_Device->setObjectName(QStringLiteral("RzComb_Device"));
    top->addWidget(RzComb_Device, 1);
    lay->addLayout(top);

    auto *pictures = new QHBoxLayout;
    VideoWindow = new QVideoWidget(Body());
    VideoWindow->setObjectName(QStringLiteral("VideoWindow"));
    VideoWindow->setFixedSize(kPictureSize);
    Image_Still = new QLabel(Body());
    Image_Still->setObjectName(QStringLiteral("Image_Still"));
    Image_Still->setFixedSize(kPictureSize);
    Image_Still->setFrameShape(QFrame::Box);
    Image_Still->setAlignment(Qt::AlignCenter);
    pictures->addWidget(VideoWindow);
    pictures->addWidget(Image_Still);
    lay->addLayout(pictures);

    auto *bottom = static_cast<QHBoxLayout *>(Panel2->layout());
    RzBit_Shoot = new QPushButton(QStringLiteral("拍照"), Panel2);
    RzBit_Shoot->setObjectName(QStringLiteral("RzBit_Shoot"));
    RzBit_Shoot->setToolTip(QStringLiteral("选择设备采集照片"));
    RzBit_Save = new QPushButton(QStringLiteral("保存"), Panel2);
    RzBit_Save->setObjectName(QStringLiteral("RzBit_Save"));
    RzBit_Save->setToolTip(QStringLiteral("保存采集到的照片"));
    bottom->insertWidget(1, RzBit_Shoot);
    bottom->insertWidget(2, RzBit_Save);

    m_session = std::make_unique<QMediaCaptureSession>();
    m_session->setVideoOutput(VideoWindow);

    connect(RzBit_Shoot, &QPushButton::clicked, this, &TFrm_TakePhoto::RzBit_ShootClick);
    connect(RzBit_Save, &QPushButton::clicked, this, &TFrm_TakePhoto::RzBit_SaveClick);
    connect(RzComb_Device, &QComboBox::currentIndexChanged, this, [this] {
        if (m_shown)
            StartPreview();
    });
}

TFrm_TakePhoto::~TFrm_TakePhoto()
{
    StopPreview();
}

void TFrm_TakePhoto::showEvent(QShowEvent *event)
{
    TfrmDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    Saved = false;
    {
        const QSignalBlocker block(RzComb_Device);
        RzComb_Device->clear();
        for (const QCameraDevice &device : QMediaDevices::videoInputs())
            RzComb_Device->addItem(device.description(), device.id());
        RzComb_Device->setCurrentIndex(RzComb_Device->count() > 0 ? 0 : -1);
    }
    StartPreview();
}

void TFrm_TakePhoto::StopPreview()
{
    if (m_camera) {
        m_camera->stop();
        m_session->setCamera(nullptr);
        m_camera.reset();
    }
}

void TFrm_TakePhoto::StartPreview()
{
    StopPreview();
    const QByteArray id = RzComb_Device->currentData().toByteArray();
    QCameraDevice chosen;
    for (const QCameraDevice &device : QMediaDevices::videoInputs())
        if (device.id() == id)
            chosen = device;
    if (chosen.isNull()) {
        DeviceFailed();
        return;
    }
    m_camera = std::make_unique<QCamera>(chosen);
    connect(m_camera.get(), &QCamera::errorOccurred, this, [this](QCamera::Error error) {
        if (error != QCamera::NoError)
            DeviceFailed();
    });
    m_session->setCamera(m_camera.get());
    m_camera->start();
    RzBit_Shoot->setEnabled(true);
    RzBit_Save->setEnabled(true);
}

void TFrm_TakePhoto::DeviceFailed()
{
    RzBit_Shoot->setEnabled(false);
    RzBit_Save->setEnabled(false);
    Messages::Show(QStringLiteral("没有摄像设备或者设备不正常！请检查..."), QStringLiteral("提示"),
                   Messages::Icon::Question);
}

void TFrm_TakePhoto::SetStill(const QImage &image)
{
    m_still = image;
    Image_Still->setPixmap(QPixmap::fromImage(image.scaled(kPictureSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void TFrm_TakePhoto::RzBit_ShootClick()
{
    const QVideoFrame frame = VideoWindow->videoSink() ? VideoWindow->videoSink()->videoFrame() : QVideoFrame();
    const QImage image = frame.isValid() ? frame.toImage() : QImage();
    if (!image.isNull())
        SetStill(image);
}

void TFrm_TakePhoto::RzBit_SaveClick()
{
    if (m_still.isNull())
        RzBit_ShootClick();
    if (m_still.isNull()) {
        Messages::Info(QStringLiteral("还没有采集到照片，请先拍照！"));
        return;
    }
    const QString folder = AppPath + QStringLiteral("Picture/");
    QDir().mkpath(folder);
    const QString bmp = folder + QStringLiteral("Temp.bmp");
    try {
        if (!m_still.save(bmp, "BMP"))
            throw std::runtime_error("bmp");
        BmpToJpeg(bmp, folder + PhotoCode.trimmed() + QStringLiteral(".jpg"));
    } catch (const std::exception &) {
        Messages::Error(QStringLiteral("照片保存失败，请检查照片文件夹是否可写！"));
        return;
    }
    Saved = true;
    accept();
}
