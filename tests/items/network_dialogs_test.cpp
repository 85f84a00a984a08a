// The dialogs of the remote query, network and 7-Zip items as descriptions: the OK checks
// of GPRESULT, the FTP upload, the list of PCs and IPCONFIG with their messages, order and
// focus, and the lists whose index is an item's enumeration.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "items/network/network_dialogs.h"
#include "items/network/network_items.h"
#include "items/remote_query/remote_query_dialogs.h"
#include "items/remote_query/remote_query_items.h"
#include "items/seven_zip/seven_zip_dialogs.h"
#include "items/seven_zip/seven_zip_items.h"
#include "support/editor_spec_lookup.h"

namespace palvetta {
namespace {

// The first failure of the OK checks, as the dialog shows it; none: OK closes.
std::optional<TCheckFailure> FirstFailure(const TEditorSpec& spec, TEditorValues values) {
  for (const TEditorCheck& check : spec.Checks) {
    if (std::optional<TCheckFailure> failure = check(values)) return failure;
  }
  return std::nullopt;
}

template <class T>
TEditorValues ValuesOf(std::function<void(T&)> setup) {
  T item;
  setup(item);
  TEditorValues values;
  item.ToEditor(values);
  return values;
}

struct TCheckCase {
  const char* name;
  TEditorValues values;
  const char* message;  // nullptr: OK closes the dialog
  const char* focus;
};

void ExpectChecks(const TEditorSpec& spec, const std::vector<TCheckCase>& cases) {
  for (const TCheckCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<TCheckFailure> failure = FirstFailure(spec, c.values);
    if (c.message == nullptr) {
      EXPECT_FALSE(failure.has_value()) << failure->Message;
      continue;
    }
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->Message, c.message);
    EXPECT_EQ(failure->Focus, c.focus);
  }
}

TEST(NetworkEditorSpecs, GPResultChecks) {
  const char* noSystem =
      "User and Password are used only with a remote system. Type the remote system, or clear "
      "User and Password.";
  const char* withFile =
      "GPRESULT does not accept User and Password together with an XML or HTML file. Clear User "
      "and Password, or choose Standard output.";
  const char* noFile = "Type the name of the file to save the report to.";
  using G = TGPResultItem;
  ExpectChecks(
      SpecOf(G::Class),
      {
          {"new item", ValuesOf<G>([](G&) {}), nullptr, ""},
          {"user without system, standard output", ValuesOf<G>([](G& i) { i.User = "admin"; }),
           noSystem, "edtSystem"},
          {"password without system, blank user", ValuesOf<G>([](G& i) {
             i.User = "  ";
             i.Password = "x";
             i.Format = TGPResultOutputFormat::gpofXML;
           }),
           noSystem, "edtSystem"},
          {"user with HTML file", ValuesOf<G>([](G& i) {
             i.System = "PC1";
             i.User = "admin";
             i.Format = TGPResultOutputFormat::gpofHTML;
             i.FileName = "r.html";
           }),
           withFile, "edtUser"},
          {"password with XML file", ValuesOf<G>([](G& i) {
             i.System = "PC1";
             i.Password = "x";
             i.Format = TGPResultOutputFormat::gpofXML;
           }),
           withFile, "edtPassword"},
          {"XML file without name", ValuesOf<G>([](G& i) {
             i.Format = TGPResultOutputFormat::gpofXML;
             i.FileName = " ";
           }),
           noFile, "edtFileName"},
          {"remote user, standard output", ValuesOf<G>([](G& i) {
             i.System = "PC1";
             i.User = "admin";
             i.Password = "x";
           }),
           nullptr, ""},
          {"HTML file named", ValuesOf<G>([](G& i) {
             i.System = "PC1";
             i.Format = TGPResultOutputFormat::gpofHTML;
             i.FileName = "r.html";
           }),
           nullptr, ""},
      });
}

// Only the user name and the password are checked: a quote in the host or the folder
// closes the dialog.
TEST(NetworkEditorSpecs, FTPUploadChecks) {
  const char* message = "The user name and password cannot contain a double quote (\").";
  using U = TFTPUploadItem;
  ExpectChecks(SpecOf(U::Class),
               {
                   {"quotes elsewhere", ValuesOf<U>([](U& i) {
                      i.Host = "\"srv\"";
                      i.Dir = "\"in\"";
                      i.FileName = "\"a.txt\"";
                    }),
                    nullptr, ""},
                   {"user", ValuesOf<U>([](U& i) { i.User = "bo\"b"; }), message, "edtUsername"},
                   {"password", ValuesOf<U>([](U& i) { i.Password = "\""; }), message, "edtPassword"},
               });
}

TEST(NetworkEditorSpecs, ListOfPCsAndIPConfigChecks) {
  using L = TCreateAListOfPCSItem;
  ExpectChecks(SpecOf(L::Class),
               {
                   {"blank", ValuesOf<L>([](L& i) { i.FileName = " "; }),
                    "Please enter file name to save the list to", "edtFileName"},
                   {"named", ValuesOf<L>([](L& i) { i.FileName = "pcs.txt"; }), nullptr, ""},
               });
  using I = TIPConfigItem;
  const char* adapter = "Please enter \"Adapter\"!";
  ExpectChecks(SpecOf(I::Class),
               {
                   {"release without adapter", ValuesOf<I>([](I& i) { i.Mode = TIPConfigMode::ipcmRelease; }),
                    nullptr, ""},
                   {"renew without adapter", ValuesOf<I>([](I& i) { i.Mode = TIPConfigMode::ipcmRenew; }),
                    nullptr, ""},
                   {"show class IDs", ValuesOf<I>([](I& i) {
                      i.Mode = TIPConfigMode::ipcmShowClassID;
                      i.Adapter = " ";
                    }),
                    adapter, "edtAdapter"},
                   {"set class ID", ValuesOf<I>([](I& i) { i.Mode = TIPConfigMode::ipcmSetClassID; }),
                    adapter, "edtAdapter"},
                   {"set class ID with adapter", ValuesOf<I>([](I& i) {
                      i.Mode = TIPConfigMode::ipcmSetClassID;
                      i.Adapter = "Eth";
                    }),
                    nullptr, ""},
               });
}

// A list's index is the enumeration's ordinal; the connection list offers only the
// first five protocols, so a later one from a file shows no selection and is kept.
TEST(NetworkEditorSpecs, ListsFollowTheEnumerations) {
  const auto entries = [](const TClass& cls, const char* list) {
    const TLayoutNode* node = NodeNamed(SpecOf(cls).Layout, list);
    return node ? node->Entries : TStrings{};
  };
  EXPECT_EQ(entries(TDriverQueryItem::Class, "cmbOutputFormat"), (TStrings{"TABLE", "LIST", "CSV"}));
  EXPECT_EQ(entries(TOpenFilesDisconnectItem::Class, "cmbOpenMode"),
            (TStrings{"All modes", "Read", "Write", "Read/Write"}));
  EXPECT_EQ(entries(TNetStatItem::Class, "cmbProtoConn"), (TStrings{"All", "TCP", "TCPv6", "UDP", "UDPv6"}));
  EXPECT_EQ(entries(TNetStatItem::Class, "cmbProtoStats"),
            (TStrings{"All", "TCP", "TCPv6", "UDP", "UDPv6", "IP", "IPv6", "ICMP", "ICMPv6"}));
  EXPECT_EQ(entries(TSevenZipCreateItem::Class, "cmbCompression"),
            (TStrings{"Fastest", "Fast", "Normal", "Maximum", "Ultra"}));

  TNetStatItem netstat;
  netstat.ConnProto = TNetstatProtocol::npICMP;
  TEditorValues values;
  netstat.ToEditor(values);
  values.SetIndex("cmbProtoConn", -1);  // what the list reports with no entry selected
  netstat.FromEditor(values);
  EXPECT_EQ(netstat.ConnProto, TNetstatProtocol::npICMP);
}

}  // namespace
}  // namespace palvetta
