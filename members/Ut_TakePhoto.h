#pragma once
// Photo capture: a live camera preview beside a still; the still is saved as
// Picture/<card>.jpg.

#include "core/DialogUnit.h"

#include <QImage>
#include <memory>

class QCamera;
class QComboBox;
class QLabel;
class QMediaCaptureSession;
class QPushButton;
class QVideoWidget;

class TFrm_TakePhoto : public TfrmDialog {
    Q_OBJECT
public:
    explicit TFrm_TakePhoto(QWidget *parent = nullptr);
    ~TFrm_TakePhoto() override;

    QString PhotoCode;    // card number the photo belongs to
    bool Saved = false;

    QComboBox *RzComb_Device = nullptr;
    QVideoWidget *VideoWindow = nullptr;
    QLabel *Image_Still = nullptr;
    QPushButton *RzBit_Shoot = nullptr;
    QPushButton *RzBit_Save = nullptr;

    // The still taken so far (null before the first shot).
    const QImage &Still() const { return m_still; }
    void SetStill(const QImage &image);

public slots:
    void RzBit_ShootClick();
    void RzBit_SaveClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void StartPreview();
    void StopPreview();
    void DeviceFailed();

    std::unique_ptr<QMediaCaptureSession> m_session;
    std::unique_ptr<QCamera> m_camera;
    QImage m_still;
    bool m_shown = false;
};
