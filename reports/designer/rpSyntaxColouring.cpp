#include "reports/designer/rpSyntaxColouring.h"

namespace {

struct TDelimiters {
  QString lineComment; // two characters
  bool braceComment;   // { ... } (Pascal)
  QChar blockOpen;     // followed by '*'
  QChar blockClose;    // preceded by '*'
  QChar quote;
};

TDelimiters DelimitersOf(TSyntaxType type) {
  switch (type) {
  case TSyntaxType::stPascal:
    return {QStringLiteral("//"), true, QLatin1Char('('), QLatin1Char(')'), QLatin1Char('\'')};
  case TSyntaxType::stCpp:
    return {QStringLiteral("//"), false, QLatin1Char('/'), QLatin1Char('/'), QLatin1Char('"')};
  case TSyntaxType::stSQL:
    return {QStringLiteral("--"), false, QLatin1Char('/'), QLatin1Char('/'), QLatin1Char('"')};
  case TSyntaxType::stText:
    break;
  }
  return {QString(), false, QChar(), QChar(), QChar()};
}

bool IsAsciiLetter(QChar c) {
  return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}
bool IsAsciiWordChar(QChar c) {
  return IsAsciiLetter(c) || c == QLatin1Char('_') || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}
bool StartsToken(QChar c) { return IsAsciiLetter(c) || QStringLiteral("_\"'(-/{").contains(c); }

} // namespace

QString rpSyntaxKeywords(TSyntaxType type) {
  switch (type) {
  case TSyntaxType::stPascal:
    return QStringLiteral("and,array,begin,case,const,div,do,downto,else,end,except,finally,for,function,if,in,is,"
                          "mod,nil,not,of,or,procedure,program,repeat,shl,shr,string,then,to,try,until,uses,var,"
                          "while,with,xor");
  case TSyntaxType::stCpp:
    return QStringLiteral("bool,break,case,char,continue,define,default,delete,do,double,else,except,finally,float,"
                          "for,if,include,int,is,new,return,string,switch,try,variant,void,while");
  case TSyntaxType::stSQL:
    return QStringLiteral(
        "active,after,all,alter,and,any,as,asc,ascending,at,auto,base_name,before,begin,between,by,cache,cast,check,"
        "column,commit,committed,computed,conditional,constraint,containing,count,create,current,cursor,database,"
        "debug,declare,default,delete,desc,descending,distinct,do,domain,drop,else,end,entry_point,escape,exception,"
        "execute,exists,exit,external,extract,filter,for,foreign,from,full,function,generator,grant,group,having,if,"
        "in,inactive,index,inner,insert,into,is,isolation,join,key,left,level,like,merge,names,no,not,null,of,on,"
        "only,or,order,outer,parameter,password,plan,position,primary,privileges,procedure,protected,read,retain,"
        "returns,revoke,right,rollback,schema,select,set,shadow,shared,snapshot,some,suspend,table,then,to,"
        "transaction,trigger,uncommitted,union,unique,update,user,using,view,wait,when,where,while,with,work");
  case TSyntaxType::stText:
    break;
  }
  return {};
}

QStringList rpColourLines(const QStringList& lines, TSyntaxType type, const QString& keywords) {
  QString list = keywords;
  if (!list.isEmpty()) {
    if (!list.startsWith(QLatin1Char(','))) list.prepend(QLatin1Char(','));
    if (!list.endsWith(QLatin1Char(','))) list.append(QLatin1Char(','));
  }
  const TDelimiters d = DelimitersOf(type);
  QString text = lines.join(QStringLiteral("\r\n"));
  const qsizetype length = text.size();
  text.append(QString(11, QChar(0))); // look-ahead never runs past the end
  QString codes = text;
  const auto mark = [&](qsizetype from, qsizetype to, char16_t code) {
    for (qsizetype i = from; i < to && i < length; ++i)
      if (text[i].unicode() > 31) codes[i] = QChar(code);
  };
  const auto findEnd = [&](qsizetype from, const QString& closer) {
    const qsizetype at = text.indexOf(closer, from);
    return at < 0 || at >= length ? length : at + closer.size();
  };
  qsizetype p = 0;
  while (p < length) {
    while (p < length && !StartsToken(text[p])) {
      mark(p, p + 1, taText);
      ++p;
    }
    if (p >= length) break;
    const QChar c = text[p];
    qsizetype end = p + 1;
    char16_t code = taText;
    if (type == TSyntaxType::stText) {
      // no tokens but words, and no keywords
      if (IsAsciiLetter(c) || c == QLatin1Char('_'))
        while (IsAsciiWordChar(text[end]))
          ++end;
    } else if (IsAsciiLetter(c) || c == QLatin1Char('_')) {
      while (IsAsciiWordChar(text[end]))
        ++end;
      if (!list.isEmpty() && list.contains(QLatin1Char(',') + text.mid(p, end - p).toLower() + QLatin1Char(',')))
        code = taKeyword;
    } else if (c == d.lineComment[0] && text[p + 1] == d.lineComment[1]) {
      while (end < length && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
        ++end;
      code = taComment;
    } else if (d.braceComment && c == QLatin1Char('{')) {
      end = findEnd(p + 1, QStringLiteral("}"));
      code = taComment;
    } else if (c == d.blockOpen && text[p + 1] == QLatin1Char('*')) {
      end = findEnd(p + 2, QString(QLatin1Char('*')) + d.blockClose);
      code = taComment;
    } else if (c == d.quote) {
      while (end < length && text[end] != d.quote && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
        ++end;
      if (end < length && text[end] == d.quote) ++end;
      code = taString;
    }
    mark(p, end, code);
    p = end;
  }
  // Cut by the lines' own lengths: a line may hold a line break of its own
  // (a pasted lone CR joined with an LF), and its codes must still match it.
  QStringList result;
  qsizetype at = 0;
  for (const QString& line : lines) {
    result.append(codes.mid(at, line.size()));
    at += line.size() + 2;
  }
  result.append(QStringLiteral(" "));
  return result;
}
