VERSION 5.00
Begin VB.Form RegistryViewer
   BackColor       =   &H8000000F&
   BorderStyle     =   3  'Fixed Dialog
   Caption         =   "Registry Viewer"
   ClientHeight    =   6285
   ClientLeft      =   0
   ClientTop       =   0
   ClientWidth     =   10260
   BeginProperty Font
      Name            =   "Tahoma"
      Size            =   8.25
      Charset         =   0
      Weight          =   400
      Underline       =   0
      Italic          =   0
      Strikethrough   =   0
   EndProperty
   ForeColor       =   &H80000012&
   MaxButton       =   0   'False
   MinButton       =   0   'False
   ScaleHeight    =   6285
   ScaleWidth     =   10260
   ShowInTaskbar   =   0   'False
   StartUpPosition =   1  'CenterOwner
   Begin MSComctlLib.TreeView RegistryKeys
      Enabled         =   0   'False
      Height          =   5520
      Left            =   120
      TabIndex        =   0
      Top             =   600
      Width           =   4200
   End
   Begin MSComctlLib.ListView RegistryItems
      Enabled         =   0   'False
      Height          =   5640
      Left            =   4440
      TabIndex        =   1
      Top             =   600
      Width           =   5760
   End
   Begin VB.TextBox RegistryAddress
      BackColor       =   &H80000005&
      ForeColor       =   &H80000008&
      Height          =   480
      Left            =   120
      TabIndex        =   2
      Top             =   120
      Width           =   10080
   End
End
Attribute VB_Name = "RegistryViewer"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Private WithEvents tree As tvTree
Private WithEvents btnCopyCode As CommandBarButton
Private SelectedEntry As stdReg

Private Sub btnCopyCode_Click(ByVal Ctrl As Office.CommandBarButton, CancelDefault As Boolean)
  stdClipboard.text = "stdReg.CreateFromKey(""" & SelectedEntry.path & """)"
End Sub

Private Sub tree_OnRefresh(obj As Object)
  Call tree_OnSelected(obj)
End Sub

Private Sub tree_OnSelected(obj As Object)
  'Set selected item
  Set SelectedEntry = obj
  
  'Set address bar path to selkected item path
  RegistryAddress.value = SelectedEntry.path
  
  'Add items to listview
  RegistryItems.ListItems.Clear
  Dim item As stdReg
  For Each item In SelectedEntry.Items
    With RegistryItems.ListItems.Add(, , item.name)
      Call .ListSubItems.Add(, , ItemTypeText(item.ItemType))
      Call .ListSubItems.Add(, , item.value)
    End With
  Next
End Sub

'Get item type to text description
Private Function ItemTypeText(ByVal it As ERegistryValueType) As String
  Select Case it
    Case ERegistryValueType.Value_Binary:             ItemTypeText = "BINARY"
    Case ERegistryValueType.Value_DWORD:              ItemTypeText = "DWORD"
    Case ERegistryValueType.Value_DWORD_BE:           ItemTypeText = "DWORD_BE"
    Case ERegistryValueType.Value_Link:               ItemTypeText = "LINK"
    Case ERegistryValueType.Value_None:               ItemTypeText = "NONE"
    Case ERegistryValueType.Value_QWORD:              ItemTypeText = "QWORD"
    Case ERegistryValueType.Value_String:             ItemTypeText = "STRING"
    Case ERegistryValueType.Value_String_Array:       ItemTypeText = "STRING_ARRAY"
    Case ERegistryValueType.Value_String_WithEnvVars: ItemTypeText = "STRING_WITH_ENV"
  End Select
End Function

Private Sub Form_Initialize()
  'Roots to render in tree
  Dim roots As Collection: Set roots = New Collection
  Call roots.Add(stdReg.Create("HKEY_CURRENT_USER"))
  Call roots.Add(stdReg.Create("HKEY_LOCAL_MACHINE"))
  Call roots.Add(stdReg.Create("HKEY_CLASSES_ROOT"))
  Call roots.Add(stdReg.Create("HKEY_USERS"))
  
  'Create tree
  Set tree = tvTree.Create( _
    RegistryKeys, _
    roots, _
    stdLambda.Create("$1.Path"), _
    stdLambda.Create("$1.Name"), _
    stdLambda.Create("$1.Keys") _
  )
  '
  With tree.ContextMenu
    Set btnCopyCode = .Controls.Add(msoControlButton, 1)
    With btnCopyCode
      .Caption = "&Copy stdVBA code"
      .FaceId = 19
      .Tag = "Copy"
    End With
  End With
  
  'Add columns to listview
  RegistryItems.View = lvwReport
  RegistryItems.ColumnHeaders.Add text:="Name"
  RegistryItems.ColumnHeaders.Add text:="Type"
  RegistryItems.ColumnHeaders.Add text:="Data"
  
  'Select first element
  Call tree_OnSelected(roots(1))
End Sub


Private Sub Form_QueryClose(Cancel As Integer, CloseMode As Integer)
  'End
End Sub
