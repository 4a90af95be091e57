#include "model/interface_texts.h"

namespace px {

namespace {

// The vendor's site, the same in every language.
constexpr TextView kWebSite = u"http://www.example.com";

constexpr InterfaceTexts kEnglish{
    .BasicSettings = u"Basic Settings",
    .Ok = u"OK",
    .Apply = u"Apply",
    .Cancel = u"Cancel",
    .KeySetting = u"Key Setting",
    .ReportRateSetting = u"Report Rate Setting",
    .DpiSetting = u"DPI Setting",
    .Default = u"Default",
    .DpiEffect = u"DPI Effect",
    .Mode = u"Mode",
    .Parameter = u"Parameter",
    .Effect = u"Effect",
    .WebSite = kWebSite,
    .LightOff = u"Off",
    .LightStandard = u"Standard",
    .LightRespiration = u"Respiration",
    .LightNeon = u"Neon",
    .NonDisplay = u"Non-Disolay",
    .RgbEffect = u"RGB Effect",
    .RgbFlash = u"RGB Flash",
    .RgbFixedOn = u"RGB Fixed On",
    .ButtonFunctions = {
        u"Left Click",
        u"Right Click",
        u"Mid Click",
        u"Forward",
        u"Backward",
        u"DPI Switch",
        u"Windows",
        u"Multimedia",
        u"HotKey",
        u"Fire Key",
        u"Single Key",
        u"Snipe Key",
        u"Key Off",
        u"Shift",
    },
    .LeftKeyMustBeSelected = u"Left key must be selected!",
    .ReportRateSwitched = {
        u"Switch report rate into 1000HZ",
        u"Switch report rate into 500HZ",
        u"Switch report rate into 250HZ",
        u"Switch report rate into 125HZ",
    },
    .DpiStageSwitched = {
        u"Switch DPI into the first stage ",
        u"Switch DPI into the second stage ",
        u"Switch DPI into the third stage ",
        u"Switch DPI into the fourth stage ",
    },
    .KeyMatrixSwitched = {
        u"Switch to key matrix 1",
        u"Switch to key matrix 2",
    },
    .MacroSwitched = u"Switch to macro key",
    .Exit = u"Exit",
    .MouseNotDetected = u"The system did not detect the gaming mouse!",
    .MouseDetected = u"The system detect the gaming mouse.",
};

constexpr InterfaceTexts kSimplifiedChinese{
    .BasicSettings = u"基本设置",
    .Ok = u"确定",
    .Apply = u"应用",
    .Cancel = u"取消",
    .KeySetting = u"按键设置",
    .ReportRateSetting = u"报告率设置",
    .DpiSetting = u"DPI设置",
    .Default = u"按键恢复",
    .DpiEffect = u"DPI显示特效",
    .Mode = u"模式",
    .Parameter = u"参数",
    .Effect = u"效果",
    .WebSite = kWebSite,
    .LightOff = u"关闭模式",
    .LightStandard = u"标准模式",
    .LightRespiration = u"呼吸模式",
    .LightNeon = u"霓虹模式",
    .NonDisplay = u"关闭",
    .RgbEffect = u"RGB效果",
    .RgbFlash = u"RGB闪烁",
    .RgbFixedOn = u"RGB常亮",
    .ButtonFunctions = {
        u"左键",
        u"右键",
        u"中键",
        u"前进方向键",
        u"后退方向键",
        u"DPI切换",
        u"Windows",
        u"多媒体",
        u"快捷键",
        u"火力键",
        u"单键",
        u"狙击",
        u"按键关闭",
        u"Shift",
    },
    .LeftKeyMustBeSelected = u"左键功能必须选择！",
    .ReportRateSwitched = {
        u"报告率切换到1000HZ",
        u"报告率切换到500HZ",
        u"报告率切换到250HZ",
        u"报告率切换到125HZ",
    },
    .DpiStageSwitched = {
        u"DPI切换到第一段",
        u"DPI切换到第二段",
        u"DPI切换到第三段",
        u"DPI切换到第四段",
    },
    .KeyMatrixSwitched = {
        u"切换到按键组1",
        u"切换到按键组2",
    },
    .MacroSwitched = u"切换到宏",
    .Exit = u"退出",
    .MouseNotDetected = u"系统没有检测到游戏鼠标！",
    .MouseDetected = u"系统检测到游戏鼠标。",
};

constexpr InterfaceTexts kTraditionalChinese{
    .BasicSettings = u"基本設置",
    .Ok = u"確定",
    .Apply = u"應用",
    .Cancel = u"取消",
    .KeySetting = u"按鍵設置",
    .ReportRateSetting = u"報告率設置",
    .DpiSetting = u"DPI設置",
    .Default = u"按鍵恢復",
    .DpiEffect = u"DPI顯示特效",
    .Mode = u"模式",
    .Parameter = u"參數",
    .Effect = u"效果",
    .WebSite = kWebSite,
    .LightOff = u"關閉模式",
    .LightStandard = u"標準模式",
    .LightRespiration = u"呼吸模式",
    .LightNeon = u"霓虹模式",
    .NonDisplay = u"關閉",
    .RgbEffect = u"RGB效果",
    .RgbFlash = u"RGB閃爍",
    .RgbFixedOn = u"RGB常亮",
    .ButtonFunctions = {
        u"左鍵",
        u"右鍵",
        u"中鍵",
        u"前進方向鍵",
        u"後退方向鍵",
        u"DPI切換",
        u"Windows",
        u"多媒體",
        u"快速鍵",
        u"火力鍵",
        u"單鍵",
        u"狙擊",
        u"按鍵關閉",
        u"Shift",
    },
    .LeftKeyMustBeSelected = u"左鍵功能必須選擇！",
    .ReportRateSwitched = {
        u"報告率切換到1000HZ",
        u"報告率切換到500HZ",
        u"報告率切換到250HZ",
        u"報告率切換到125HZ",
    },
    .DpiStageSwitched = {
        u"DPI切換到第一段",
        u"DPI切換到第二段",
        u"DPI切換到第三段",
        u"DPI切換到第四段",
    },
    .KeyMatrixSwitched = {
        u"切換到按鍵群組1",
        u"切換到按鍵群組2",
    },
    .MacroSwitched = u"切換到巨集",
    .Exit = u"退出",
    .MouseNotDetected = u"系統沒有檢測到遊戲滑鼠！",
    .MouseDetected = u"系統檢測到遊戲滑鼠。",
};

}  // namespace

Language LanguageFromCode(TextView languageCode) {
  if (languageCode == u"CHS") return Language::SimplifiedChinese;
  if (languageCode == u"CHT") return Language::TraditionalChinese;
  return Language::English;
}

TextView LabelSectionName(Language language) {
  constexpr TextView kSections[] = {u"Setting-EN", u"Setting-CHS", u"Setting-CHT"};
  return kSections[LanguageIndex(language)];
}

const InterfaceTexts& TextsFor(Language language) {
  static constexpr const InterfaceTexts* kTexts[] = {&kEnglish, &kSimplifiedChinese, &kTraditionalChinese};
  return *kTexts[LanguageIndex(language)];
}

}  // namespace px
