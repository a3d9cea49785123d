// The image viewer's loading: the decoder's checks, the decoding into memory
// (first loads only), the colour depth, automatic rotation, and the drawing
// of the bitmap shown; the information bar.
#include <algorithm>

#include "archive/ArchiveKind.h"
#include "extract/ExtractTemp.h"
#include "util/MyUtility.h"
#include "util/PathPrefix.h"
#include "util/StrConv.h"
#include "util/TextFile.h"
#include "viewers/image/ExifData.h"
#include "viewers/image/FormImage.h"
#include "settings/SettingKeys.h"
#include "viewers/image/SusiePicture.h"

namespace quib {
namespace {

bool FileThere(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// BoolImageMaking for the length of a load, whatever way it ends.
class MakingScope {
public:
    explicit MakingScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~MakingScope() { flag_ = false; }
    MakingScope(const MakingScope&) = delete;
    MakingScope& operator=(const MakingScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

bool TFormImage::LoadFileWic(const std::wstring& f, bool init, int r, int lr, int tb) { return LoadWith(0, f, init, r, lr, tb); }
bool TFormImage::LoadFileGdi(const std::wstring& f, bool init, int r, int lr, int tb) { return LoadWith(1, f, init, r, lr, tb); }
bool TFormImage::LoadFileSusie(const std::wstring& f, bool init, int r, int lr, int tb) { return LoadWith(2, f, init, r, lr, tb); }

bool TFormImage::LoadCurrent(bool init) {
    const int r = IntImageRotateManualIndex, lr = IntImageLeftRightManualIndex, tb = IntImageTopButtomManualIndex;
    switch (host_.DecoderIndex()) {
        case 1: return LoadFileGdi(StrLoadFileName, init, r, lr, tb);
        case 2: return LoadFileSusie(StrLoadFileName, init, r, lr, tb);
        default: return LoadFileWic(StrLoadFileName, init, r, lr, tb);
    }
}

bool TFormImage::Decode(int decoder, const std::wstring& fileName) {
    DecodeStatus status = DecodeStatus::Failed;
    DecodedImage image;
    if (decoder == 0) {
        status = DecodeWithWic(fileName, image);
    } else if (decoder == 1) {
        status = DecodeWithGdiPlus(fileName, image);
    } else {
        // The plug-in list file, read again for every picture.
        const IniFile ini = Settings();
        const std::wstring listFile =
            ExpandPathPrefix(ini.ReadString(L"Spi", L"FileName", ProgramFolder() + L"\\quibFM-spi.txt"), ProgramPath());
        std::wstring text;
        if (!FileThere(listFile) || !ReadTextFileDefault(listFile, text)) {
            ClearPicture();
            Msg(L"Information : SPI の設定ファイルがありません", L"Information : SPI file is not exist.\r\n[OK]");
            return false;
        }
        std::wstring plugin;
        for (const SpiLine& line : SpiLinesFor(SplitLines(text), fileName, BoolJapanese, ProgramPath())) {
            const int answer = FileIsSupportedPicture(line.pluginPath, fileName);
            if (answer == kSusieFileMissing) {
                Msg(L"Information : ファイルがありません", L"Information : File is not exist.\r\n[OK]");
                return false;
            }
            if (answer != 0) {
                plugin = line.pluginPath;
                break;
            }
        }
        if (plugin.empty()) {
            ClearPicture();
            Msg(L"Information : サポートしている SPI がありません",
                L"Information : Suported SPI file is not exist.\r\n[OK]");
            return false;
        }
        SusieDib dib;
        if (FileGetPicture(plugin, fileName, dib) == 0)
            status = DecodeDib(dib.info.data(), dib.info.size(), dib.bits.data(), dib.bits.size(), image);
    }
    if (status == DecodeStatus::TooLarge) {
        ClearPicture();
        Msg(L"Information : 画像が大きすぎて表示できません", L"Information : Image is too large to show.\r\n[OK]");
        return false;
    }
    if (status != DecodeStatus::Ok) {
        ClearPicture();
        decoded_ = {};
        Msg(L"Information : 画像が読み込めませんでした(読込)", L"Information : Image file can not read(Raed).\r\n[OK]");
        return false;
    }
    decoded_ = std::move(image);
    return true;
}

bool TFormImage::LoadWith(int decoder, const std::wstring& fileName, bool init, int rotation, int leftRight,
                          int topBottom) {
    if (fileName.empty() || !FileThere(fileName)) return false;
    if (decoder != 2) {
        const std::vector<std::wstring> exts = host_.DecoderExtensions(decoder);
        if (GetExtType(fileName, exts) < 0) {
            ClearPicture();
            Msg(L"Information : 該当の拡張子ではありません", L"Information : Extention is not match.\r\n[OK]");
            return false;
        }
    }
    MakingScope making(BoolImageMaking);
    if (init) {
        IntImageScale = 100;
        IntImageRotateManualIndex = IntImageLeftRightManualIndex = IntImageTopButtomManualIndex = 0;
        leftRight = topBottom = 0;
        if (!Decode(decoder, fileName)) {
            InformationUpDate();
            return false;
        }
        StrImageDepth = DepthText(decoded_.bitsPerPixel);
        StrListExif.clear();
        const bool autoOn = MenuChecked(1325);
        bool exifRead = false;
        if (autoOn) exifRead = ReadExifTags(fileName, StrListExif);
        const std::wstring except = ReadKey(Settings(), key::RotateAutoExcept);
        IntImageRotateManualIndex = AutoRotationIndex(autoOn, fileName, except, exifRead, StrListExif);
        rotation = IntImageRotateManualIndex;
    } else if (decoded_.Empty()) {
        return false;
    }
    const bool shown = Display(rotation, leftRight, topBottom);
    InformationUpDate();
    return shown;
}

bool TFormImage::Display(int rotation, int leftRight, int topBottom) {
    RotatedSize(rotation, decoded_.width, decoded_.height, IntImageReadWidth, IntImageReadHeight);
    RECT rc;
    GetWindowRect(area_, &rc);
    const int areaW = rc.right - rc.left, areaH = rc.bottom - rc.top;
    const ImageOutputSize out =
        ComputeImageOutputSize(Fit(), areaW, areaH, IntImageReadWidth, IntImageReadHeight, IntImageScale);
    if (!BitmapSizeAllowed(out.width, out.height)) {
        Msg(L"Information : 画像が大きすぎて表示できません", L"Information : Image is too large to show.\r\n[OK]");
        return false;
    }
    bool ok = false;
    HBITMAP bmp = RenderPicture(decoded_, rotation, leftRight != 0, topBottom != 0, out.width, out.height, BackColor(), ok);
    if (!bmp) {
        ClearPicture();
        Msg(L"Information : 画像が読み込めませんでした(表示)", L"Information : Image file can not read(Show).\r\n[OK]");
        return false;
    }
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = bmp;
    IntImageScaleWidth = out.width, IntImageScaleHeight = out.height;
    IntCompressRate = Fit() ? out.compressRate : IntImageScale;
    RECT client;
    GetClientRect(area_, &client);
    // Centred in the area's outer size, as the scroll box would place it.
    PicturePosition(Fit(), areaW, areaH, out.width, out.height, picLeft_, picTop_);
    if (picLeft_ < 0 || !Fit()) picLeft_ = std::max(0, picLeft_);
    if (picTop_ < 0 || !Fit()) picTop_ = std::max(0, picTop_);
    scrollX_ = scrollY_ = 0;
    UpdateScrollBars();
    InvalidateRect(area_, nullptr, FALSE);
    return ok;
}

void TFormImage::InformationUpDate() {
    ImageInfoItems it;
    it.showScale = MenuChecked(1401), it.showSize = MenuChecked(1402), it.showDepth = MenuChecked(1403);
    it.showFileSize = MenuChecked(1404), it.showFileName = MenuChecked(1405), it.showDateTime = MenuChecked(1406);
    const int row = host_.CurrentRow();
    it.marked = row >= 0 && row < host_.RowCount() && host_.RowMarked(row);
    it.scale = Fit() ? IntCompressRate : IntImageScale;
    it.width = IntImageReadWidth, it.height = IntImageReadHeight;
    it.depth = StrImageDepth;
    const size_t slash = StrLoadFileName.find_last_of(L"\\/");
    it.fileName = slash == std::wstring::npos ? StrLoadFileName : StrLoadFileName.substr(slash + 1);
    WIN32_FILE_ATTRIBUTE_DATA fa{};
    if (!StrLoadFileName.empty() && GetFileAttributesExW(StrLoadFileName.c_str(), GetFileExInfoStandard, &fa) &&
        !(fa.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        it.fileExists = true;
        it.fileSize = static_cast<std::int64_t>(fa.nFileSizeHigh) << 32 | fa.nFileSizeLow;
        it.dateTime = FileTimeToDateStr(fa.ftLastWriteTime) + L" " + FileTimeToTimeStr(fa.ftLastWriteTime);
    }
    if (label_) SetWindowTextW(label_, ImageInformationText(it).c_str());
    if (BoolFormShow) {
        const wchar_t* names[] = {L"[WIC]", L"[GDI]", L"[Susie]"};
        const int d = std::clamp(host_.DecoderIndex(), 0, 2);
        SetCaption(std::wstring(BoolJapanese ? L"画像表示" : L"Image Viwer") + names[d]);
    }
}

}  // namespace quib
