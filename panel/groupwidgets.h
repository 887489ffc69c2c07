#pragma once
// The main window's controls, handed to each command group: a group gets
// the controls it wires and nothing else of the window's form.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

namespace Ui {
class FrmMain;
}

namespace zam {

struct LensWidgets {
    QSpinBox *DTeleSpeed;
    QSpinBox *DWideSpeed;
    QPushButton *DZoomMode_0;
    QPushButton *DZoomMode_1;
    QPushButton *DZoomON;
    QPushButton *DZoomOff;
    QSlider *DZoomSlider;
    QToolButton *DZoomTele;
    QToolButton *DZoomWide;
    QPushButton *DZoomX;
    QToolButton *FarT;
    QSpinBox *TeleSpeed;
    QSpinBox *WideSpeed;
    QToolButton *WideT;
    QSlider *ZoomSlider;
    QSlider *ZoomSliderShort;
    QToolButton *ZoomTele;
    QToolButton *ZoomWide;
};

struct FocusWidgets {
    QPushButton *ACTAFmodeset;
    QPushButton *AFModeCmd_0;
    QPushButton *AFModeCmd_1;
    QPushButton *AFModeCmd_2;
    QPushButton *AFModeCmd_3;
    QPushButton *AFTrig;
    QCheckBox *AF_Sens;
    QLineEdit *AFacttime;
    QLineEdit *AFintTime;
    QAction *CompScan;
    QToolButton *Far;
    QSpinBox *FarSpeed;
    QSlider *FocusNearLimitSlider;
    QSlider *FocusSlider;
    QPushButton *Infinity;
    QAction *Lensinit;
    QPushButton *ManAFMode;
    QToolButton *Near;
    QSpinBox *NearSpeed;
};

struct ExposureWidgets {
    QWidget *form; // the main window, where the mode tables' controls are found
    QToolButton *ApertureDown;
    QPushButton *ApertureReset;
    QSlider *ApertureSlider;
    QToolButton *ApertureUp;
    QCheckBox *AutoSlowShutter;
    QCheckBox *BackLight;
    QToolButton *BrightDown;
    QSlider *BrightSlider;
    QToolButton *BrightUp;
    QLineEdit *BrightValue;
    QCheckBox *ExpComp;
    QToolButton *ExpCompDown;
    QSlider *ExpCompSlider;
    QToolButton *ExpCompUp;
    QToolButton *GainDown;
    QSlider *GainSlider;
    QToolButton *GainUp;
    QLineEdit *GainValue;
    QToolButton *IrisClose;
    QToolButton *IrisOpen;
    QSlider *IrisSlider;
    QLineEdit *ModelVersion;
    QToolButton *ShutterFast;
    QSlider *ShutterSlider;
    QToolButton *ShutterSlow;
    QLineEdit *ShutterValue;
    QPushButton *cmdSetSlowAE;
    QLineEdit *txtSlowAEvalue;
};

struct WhiteBalanceWidgets {
    QWidget *form; // the main window, where the mode tables' controls are found
    QToolButton *BGainDown;
    QSlider *BGainSlider;
    QToolButton *BGainUp;
    QPushButton *RBReset;
    QToolButton *RGainDown;
    QSlider *RGainSlider;
    QToolButton *RGainUp;
    QPushButton *WBTrigger;
};

struct PictureWidgets {
    QWidget *form; // the main window, where the mode tables' controls are found
    QAction *DigitalEffectLevel;
    QAction *Freese;
    QAction *Image_Stabi;
    QAction *LR_Reverse;
    QAction *Normal;
    QAction *PictureFlip;
    QMenu *Wide;
    QPushButton *Wide_D;
    QPushButton *cmdHigh_Reso;
    QPushButton *comAutoICR;
    QPushButton *comICR_0;
    QPushButton *comICR_1;
    QPushButton *comICR_Threshold;
    QLineEdit *txtICRthreshold;
};

struct SystemWidgets {
    QAction *AddressSet;
    QLineEdit *CameraIDText;
    QComboBox *CombMemoryAD;
    QPushButton *CustomMem_0;
    QPushButton *CustomMem_1;
    QPushButton *CustomMem_2;
    QAction *IDWrite;
    QAction *IFClear;
    QAction *KeyLock;
    QAction *Mute;
    QAction *Power;
    QRadioButton *RecallOption_0;
    QRadioButton *RecallOption_1;
    QRadioButton *RecallOption_2;
    QRadioButton *RecallOption_3;
    QRadioButton *RecallOption_4;
    QRadioButton *RecallOption_5;
    QRadioButton *ResetOption_0;
    QRadioButton *ResetOption_1;
    QRadioButton *ResetOption_2;
    QRadioButton *ResetOption_3;
    QRadioButton *ResetOption_4;
    QRadioButton *ResetOption_5;
    QRadioButton *SetOption_0;
    QRadioButton *SetOption_1;
    QRadioButton *SetOption_2;
    QRadioButton *SetOption_3;
    QRadioButton *SetOption_4;
    QRadioButton *SetOption_5;
    QLineEdit *TxtMemoryDataLower;
    QLineEdit *TxtMemoryDataUpper;
    QPushButton *cmdMemoryRD;
    QPushButton *cmdMemoryWite;
};

struct DisplayWidgets {
    QWidget *form; // the main window, where the mode tables' controls are found
    QAction *AESpotMode;
    QAction *AlarmDetection;
    QAction *DataScreen;
    QAction *DateDisplay;
    QAction *MotionDetectD;
    QAction *PrivacyAv;
    QAction *RegisterSet;
    QAction *SetTimeDate;
    QAction *SettingMenu;
    QAction *SettingZones;
    QAction *SphericalZoneMasking;
    QAction *TimeDisplay;
    QAction *TitleOnOff;
    QAction *TitleSet;
    QPushButton *VP0180;
    QToolButton *VPDown;
    QSlider *VPSlider;
    QToolButton *VPUp;
    QPushButton *VPreset;
    QAction *version;
};

struct GroupWidgets {
    LensWidgets lens;
    FocusWidgets focus;
    ExposureWidgets exposure;
    WhiteBalanceWidgets whiteBalance;
    PictureWidgets picture;
    SystemWidgets system;
    DisplayWidgets display;
};

// The sets, taken from the window's form once it is set up.
GroupWidgets groupWidgets(Ui::FrmMain &ui);

} // namespace zam
