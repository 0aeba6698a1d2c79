#include "JpegImage.h"

// libjpeg reports fatal errors through error_exit, which must not return.
// Throwing a C++ exception through the C library's frames is undefined, so
// error_exit longjmps back to RunSession instead. Everything alive across
// that jump (TSession and the locals of the functions it skips) is trivially
// destructible; the QImage being filled lives in the caller's frame, above
// the setjmp, and is only assigned between libjpeg calls.
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <type_traits>

#include <jpeglib.h>

#include "Errors.h"

#if !defined(JCS_EXTENSIONS)
#error "libjpeg-turbo's extended colour spaces (JCS_EXT_BGRX) are required"
#endif

namespace {

// Progressive files can carry thousands of tiny scans, each costing a pass
// over the whole image; real files have a dozen or so.
constexpr int MaxScans = 500;
constexpr int RowsPerRead = 16;

struct TErrorManager {
  jpeg_error_mgr Pub;  // first member: libjpeg hands back a pointer to it
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

struct TSession {
  jpeg_decompress_struct Info;
  TErrorManager Error;
  jpeg_progress_mgr Progress;
  const unsigned char* Data;
  size_t Size;
  bool HeaderOnly;
  QImage* Target;  // filled unless HeaderOnly
  JDIMENSION Width, Height;
};
static_assert(std::is_trivially_destructible_v<TSession>);

[[noreturn]] void Fail(TSession& s, const char* message) {
  std::snprintf(s.Error.Message, sizeof s.Error.Message, "%s", message);
  std::longjmp(s.Error.Jump, 1);
}

void ErrorExit(j_common_ptr cinfo) {
  auto* error = reinterpret_cast<TErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, error->Message);
  std::longjmp(error->Jump, 1);
}
// Warnings (corrupt or missing data libjpeg can pass over) and traces are
// neither printed nor fatal.
void EmitMessage(j_common_ptr, int) {}
void OutputMessage(j_common_ptr) {}

void ProgressMonitor(j_common_ptr cinfo) {
  auto* info = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (info->input_scan_number > MaxScans) {
    Fail(*static_cast<TSession*>(info->client_data), "the progressive data has too many scans");
  }
}

// CMYK as libjpeg delivers it, four bytes per pixel in place, to RGB32.
// Adobe writers store the inks inverted (255 = no ink).
void CmykToRgb(uchar* row, JDIMENSION width, bool inverted) {
  auto* out = reinterpret_cast<QRgb*>(row);
  for (JDIMENSION x = 0; x < width; ++x) {
    const uchar* p = row + 4 * x;
    int c = p[0], m = p[1], y = p[2], k = p[3];
    if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    out[x] = qRgb((c * k + 127) / 255, (m * k + 127) / 255, (y * k + 127) / 255);
  }
}

// Every libjpeg call happens below RunSession; a fatal error jumps back to it.
void Work(TSession& s) {
  j_decompress_ptr info = &s.Info;
  jpeg_create_decompress(info);
  info->client_data = &s;
  s.Progress.progress_monitor = ProgressMonitor;
  info->progress = &s.Progress;
  jpeg_mem_src(info, s.Data, static_cast<unsigned long>(s.Size));
  jpeg_read_header(info, TRUE);
  s.Width = info->image_width;
  s.Height = info->image_height;
  if (s.HeaderOnly) return;

  if (s.Width > TGraphic::MaxSide || s.Height > TGraphic::MaxSide ||
      int64_t(s.Width) * s.Height > TGraphic::MaxPixels)
    Fail(s, "the picture is too large");
  const bool cmyk = info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK;
  const bool inverted = info->saw_Adobe_marker;
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
  info->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
#else
  info->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_XRGB;
#endif
  info->dct_method = JDCT_ISLOW;
  jpeg_start_decompress(info);
  if (info->output_width != s.Width || info->output_height != s.Height || info->output_components != 4)
    Fail(s, "unexpected output format");

  // The temporary is gone before the next libjpeg call.
  *s.Target = QImage(int(s.Width), int(s.Height), QImage::Format_RGB32);
  if (s.Target->isNull()) Fail(s, "not enough memory for the picture");
  uchar* bits = s.Target->bits();
  const qsizetype bytesPerLine = s.Target->bytesPerLine();

  JSAMPROW rows[RowsPerRead];
  while (info->output_scanline < info->output_height) {
    const JDIMENSION first = info->output_scanline;
    const JDIMENSION count = std::min<JDIMENSION>(RowsPerRead, info->output_height - first);
    for (JDIMENSION i = 0; i < count; ++i) rows[i] = bits + qsizetype(first + i) * bytesPerLine;
    const JDIMENSION read = jpeg_read_scanlines(info, rows, count);
    if (read == 0) Fail(s, "the decoder stopped early");
    if (cmyk)
      for (JDIMENSION i = 0; i < read; ++i) CmykToRgb(rows[i], s.Width, inverted);
  }
  // Not jpeg_finish_decompress: every row is in, and junk after the image
  // data is no reason to refuse it.
}

bool RunSession(TSession& s) {
  s.Info.err = jpeg_std_error(&s.Error.Pub);
  s.Error.Pub.error_exit = ErrorExit;
  s.Error.Pub.emit_message = EmitMessage;
  s.Error.Pub.output_message = OutputMessage;
  if (setjmp(s.Error.Jump)) {
    jpeg_destroy_decompress(&s.Info);
    return false;
  }
  Work(s);
  jpeg_destroy_decompress(&s.Info);
  return true;
}

[[noreturn]] void Refuse(const char* why) {
  throw EInvalidGraphic(std::string("The JPEG picture cannot be read: ") + why + ".",
                        {ReasonId::JpegUnreadable, {}});
}

}  // namespace

TJPEGImage::TJPEGImage(QByteArray bytes) {
  // Read through constData: indexing a shared array would copy the picture.
  const auto* d = reinterpret_cast<const uchar*>(bytes.constData());
  if (bytes.size() < 2 || d[0] != 0xFF || d[1] != 0xD8) Refuse("it is not a JPEG file");
  TSession s{};
  s.Data = reinterpret_cast<const unsigned char*>(bytes.constData());
  s.Size = size_t(bytes.size());
  s.HeaderOnly = true;
  if (!RunSession(s)) Refuse(s.Error.Message);
  CheckSize(s.Width, s.Height);
  SetHeader(std::move(bytes), int(s.Width), int(s.Height));
}

std::unique_ptr<TGraphic> TJPEGImage::Clone() const { return std::unique_ptr<TJPEGImage>(new TJPEGImage(*this)); }

QImage TJPEGImage::Decode() const {
  QImage image;
  TSession s{};
  s.Data = reinterpret_cast<const unsigned char*>(Bytes().constData());
  s.Size = size_t(Bytes().size());
  s.Target = &image;
  if (!RunSession(s)) Refuse(s.Error.Message);
  return image;
}
