#include "IdxBytes.h"
#include "DbfBytes.h"
#include <QtCore/QtEndian>
#include <cstring>

namespace IdxBytes {
namespace {

int EntryLength(int keyLen, int entryHeader) { return (keyLen + entryHeader + 3) / 4 * 4; }

// The leaves of the tag, `perLeaf` keys each (one empty leaf for no keys).
struct Tree {
  QList<QByteArray> nodes;
};

Tree BuildTree(const Tag& tag, bool mdx) {
  const int nodeSize = mdx ? 1024 : 512, header = mdx ? 8 : 4, entryHeader = mdx ? 4 : 8;
  const int entry = EntryLength(tag.keyLen, entryHeader);
  Tree tree;
  for (qsizetype first = 0; first < tag.keys.size() || first == 0; first += tag.perLeaf) {
    QByteArray node(nodeSize, '\0');
    const qsizetype count = std::min<qsizetype>(tag.perLeaf, tag.keys.size() - first);
    DbfBytes::PutLe32(node, 0, quint32(count));
    for (qsizetype i = 0; i < count; ++i) {
      const Key& k = tag.keys[first + i];
      const int at = header + int(i) * entry;
      DbfBytes::PutLe32(node, mdx ? at : at + 4, k.rec);
      node.replace(at + entryHeader, k.key.size(), k.key);
    }
    tree.nodes << node;
    if (tag.keys.size() <= first + tag.perLeaf) break;
  }
  return tree;
}

void PutTagHeader(QByteArray& h, const Tag& tag, int root, int pageCount, bool mdx) {
  DbfBytes::PutLe32(h, 0, quint32(root));
  DbfBytes::PutLe32(h, 4, quint32(pageCount));
  h[8] = char(tag.format);
  h[9] = tag.keyType;
  DbfBytes::PutLe16(h, 10, mdx ? 0 : 0x5800);
  const int entry = EntryLength(tag.keyLen, mdx ? 4 : 8);
  DbfBytes::PutLe16(h, 12, quint16(tag.keyLen));
  DbfBytes::PutLe16(h, 14, quint16(((mdx ? 1024 : 512) - (mdx ? 8 : 4)) / entry));
  DbfBytes::PutLe16(h, 18, quint16(entry));
  DbfBytes::PutLe16(h, 20, 2);
  h.replace(24, tag.expression.size(), tag.expression);
  h[246] = 1;
}

// Appends the nodes of one tag at the end of the file and returns the root page.
int AppendTree(QByteArray& file, const Tag& tag, bool mdx) {
  const int header = mdx ? 8 : 4, entryHeader = mdx ? 4 : 8;
  const int entry = EntryLength(tag.keyLen, entryHeader);
  Tree tree = BuildTree(tag, mdx);
  QList<int> pages;
  for (const QByteArray& node : tree.nodes) {
    pages << int(file.size() / 512);
    file += node;
  }
  if (tree.nodes.size() == 1) return pages.front();
  QByteArray root(mdx ? 1024 : 512, '\0');
  DbfBytes::PutLe32(root, 0, quint32(tree.nodes.size() - 1));
  for (qsizetype i = 0; i < tree.nodes.size(); ++i) {
    const int at = header + int(i) * entry;
    DbfBytes::PutLe32(root, at, quint32(pages[i]));
    if (i + 1 < tree.nodes.size()) {
      const qsizetype last = std::min<qsizetype>((i + 1) * tag.perLeaf, tag.keys.size()) - 1;
      root.replace(at + entryHeader, tag.keys[last].key.size(), tag.keys[last].key);
    }
  }
  const int rootPage = int(file.size() / 512);
  file += root;
  return rootPage;
}

} // namespace

QByteArray Ndx(const Tag& tag) {
  QByteArray file(512, '\0');
  const int root = AppendTree(file, tag, false);
  PutTagHeader(file, tag, root, int(file.size() / 512), false);
  return file;
}

QByteArray Mdx(const QList<Tag>& tags, quint8 version, quint8 language) {
  const int recordLength = version == 3 ? 48 : 32;
  QByteArray file(2048, '\0');
  file[0] = char(version);
  file[1] = char(124);
  file[2] = 1;
  file[3] = 1;
  file.replace(4, 5, "TABLE");
  DbfBytes::PutLe16(file, 20, 2);
  DbfBytes::PutLe16(file, 22, 1024);
  file[24] = 1;
  file[25] = 48;
  file[26] = char(recordLength);
  DbfBytes::PutLe16(file, 28, quint16(tags.size()));
  file[31] = char(language);
  for (qsizetype i = 0; i < tags.size(); ++i) {
    const Tag& tag = tags[i];
    const int headerPage = int(file.size() / 512);
    file += QByteArray(1024, '\0');
    const int root = AppendTree(file, tag, true);
    QByteArray header = file.mid(headerPage * 512, 1024);
    PutTagHeader(header, tag, root, 0, true);
    file.replace(headerPage * 512, 1024, header);
    const int at = 512 + recordLength * int(i + 1);
    DbfBytes::PutLe32(file, at, quint32(headerPage));
    file.replace(at + 4, tag.name.size(), tag.name);
    file[at + (version == 3 ? 37 : 15)] = char(0x10);
    file[at + (version == 3 ? 41 : 19)] = 2;
    file[at + (version == 3 ? 42 : 20)] = tag.keyType;
  }
  DbfBytes::PutLe32(file, 32, quint32(file.size() / 512));
  file[529] = 1;
  return file;
}

QByteArray Bcd(const QByteArray& number) {
  QByteArray key(12, '\0');
  const bool negative = number.startsWith('-');
  QByteArray digits = negative ? number.mid(1) : number;
  qsizetype point = digits.indexOf('.');
  if (point < 0) point = digits.size();
  digits.remove(point, 1);
  int exponent = int(point);
  while (digits.startsWith('0') && digits.size() > 0) {
    digits.remove(0, 1);
    --exponent;
  }
  while (digits.endsWith('0'))
    digits.chop(1);
  if (digits.isEmpty()) exponent = 0;
  key[0] = char(0x34 + exponent);
  key[1] = char(((digits.size() + 1) / 2) * 8 + 1 + (negative && !digits.isEmpty() ? 0x80 : 0));
  for (qsizetype i = 0; i < digits.size(); ++i) {
    const int d = digits[i] - '0';
    key[2 + i / 2] = char(quint8(key[2 + i / 2]) | (i % 2 == 0 ? d << 4 : d));
  }
  return key;
}

QByteArray Double(double value) {
  QByteArray key(8, '\0');
  qToLittleEndian(value, key.data());
  return key;
}

} // namespace IdxBytes
