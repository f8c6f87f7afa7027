#include "dbase/xb_filter.h"
#include "dbase/xb_idxfile.h"
#include "dbase/xb_indexseam.h"
#include "dbase/xb_parser.h"

namespace {
TXbIndexFactory indexFactory = CreateIndexFile;
TXbFilterFactory filterFactory = CreateXbFilter;
} // namespace

void SetXbIndexFactory(TXbIndexFactory factory) { indexFactory = factory; }
TXbIndexFactory XbIndexFactory() { return indexFactory; }
void SetXbFilterFactory(TXbFilterFactory factory) { filterFactory = factory; }
TXbFilterFactory XbFilterFactory() { return filterFactory; }
