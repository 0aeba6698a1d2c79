#include "FontSubstitution.h"

#include <QFont>

namespace {

QStringList PMincho() {
  return {QStringLiteral("IPAPMincho"), QStringLiteral("IPAexMincho"), QStringLiteral("IPAMincho"),
          QStringLiteral("Noto Serif CJK JP"), QStringLiteral("TakaoPMincho")};
}
QStringList Mincho() {
  return {QStringLiteral("IPAMincho"), QStringLiteral("IPAexMincho"), QStringLiteral("IPAPMincho"),
          QStringLiteral("Noto Serif CJK JP"), QStringLiteral("TakaoMincho")};
}
QStringList PGothic() {
  return {QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"), QStringLiteral("IPAGothic"),
          QStringLiteral("Noto Sans CJK JP"), QStringLiteral("TakaoPGothic"), QStringLiteral("VL PGothic")};
}
QStringList Gothic() {
  return {QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"), QStringLiteral("IPAPGothic"),
          QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("TakaoGothic"), QStringLiteral("VL Gothic")};
}

}  // namespace

const std::vector<std::pair<QString, QStringList>>& JapaneseFontSubstitutes() {
  // Both the full-width names a Japanese system lists and their romanised
  // forms, since documents written on other systems carry either.
  static const std::vector<std::pair<QString, QStringList>> table = {
      {QStringLiteral("ＭＳ Ｐ明朝"), PMincho()},
      {QStringLiteral("ＭＳ 明朝"), Mincho()},
      {QStringLiteral("ＭＳ Ｐゴシック"), PGothic()},
      {QStringLiteral("ＭＳ ゴシック"), Gothic()},
      {QStringLiteral("ＭＳ ＵＩ Gothic"), PGothic()},
      {QStringLiteral("MS PMincho"), PMincho()},
      {QStringLiteral("MS Mincho"), Mincho()},
      {QStringLiteral("MS PGothic"), PGothic()},
      {QStringLiteral("MS Gothic"), Gothic()},
      {QStringLiteral("MS UI Gothic"), PGothic()},
      {QStringLiteral("MS Sans Serif"), PGothic()},
      {QStringLiteral("MS Shell Dlg"), PGothic()},
      {QStringLiteral("MS Shell Dlg 2"), PGothic()},
      {QStringLiteral("メイリオ"), PGothic()},
      {QStringLiteral("Meiryo"), PGothic()},
      {QStringLiteral("Meiryo UI"), PGothic()},
      {QStringLiteral("游ゴシック"), PGothic()},
      {QStringLiteral("Yu Gothic"), PGothic()},
      {QStringLiteral("Yu Gothic UI"), PGothic()},
      {QStringLiteral("游明朝"), PMincho()},
      {QStringLiteral("Yu Mincho"), PMincho()},
      {QStringLiteral("HG明朝B"), Mincho()},
      {QStringLiteral("HG明朝E"), Mincho()},
      {QStringLiteral("HGP明朝B"), PMincho()},
      {QStringLiteral("HGP明朝E"), PMincho()},
      {QStringLiteral("HGｺﾞｼｯｸE"), Gothic()},
      {QStringLiteral("HGｺﾞｼｯｸM"), Gothic()},
      {QStringLiteral("HGPｺﾞｼｯｸE"), PGothic()},
      {QStringLiteral("HGPｺﾞｼｯｸM"), PGothic()},
      {QStringLiteral("HG丸ｺﾞｼｯｸM-PRO"), PGothic()},
      {QStringLiteral("HG正楷書体-PRO"), PMincho()},
      {QStringLiteral("HG行書体"), PMincho()},
      {QStringLiteral("HGP行書体"), PMincho()},
      {QStringLiteral("HG教科書体"), PMincho()},
      {QStringLiteral("HGP教科書体"), PMincho()},
      {QStringLiteral("HG創英角ｺﾞｼｯｸUB"), PGothic()},
      {QStringLiteral("HGP創英角ｺﾞｼｯｸUB"), PGothic()},
      {QStringLiteral("HG創英角ﾎﾟｯﾌﾟ体"), PGothic()},
      {QStringLiteral("HGP創英角ﾎﾟｯﾌﾟ体"), PGothic()},
  };
  return table;
}

void InstallFontSubstitutions() {
  for (const auto& [name, substitutes] : JapaneseFontSubstitutes()) QFont::insertSubstitutions(name, substitutes);
}
