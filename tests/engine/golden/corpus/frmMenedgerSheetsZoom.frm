VERSION 5.00
Begin VB.Form frmMenedgerSheetsZoom
   BackColor       =   &H8000000F&
   BorderStyle     =   3  'Fixed Dialog
   Caption         =   "Установить масштаб:"
   ClientHeight    =   7605
   ClientLeft      =   0
   ClientTop       =   0
   ClientWidth     =   8850.001
   BeginProperty Font
      Name            =   "Tahoma"
      Size            =   12
      Charset         =   204
      Weight          =   400
      Underline       =   0
      Italic          =   0
      Strikethrough   =   0
   EndProperty
   ForeColor       =   &H80000012&
   MaxButton       =   0   'False
   MinButton       =   0   'False
   ScaleHeight    =   7605
   ScaleWidth     =   8850.001
   ShowInTaskbar   =   0   'False
   StartUpPosition =   1  'CenterOwner
   Begin VB.Label Label1
      Caption         =   "установить масштаб:"
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   360
      Left            =   120
      TabIndex        =   5
      Top             =   240
      Width           =   3360
      WordWrap        =   -1
   End
   Begin VB.TextBox txtZoom
      BackColor       =   &H80000005&
      ForeColor       =   &H80000008&
      Height          =   480
      Left            =   3480
      TabIndex        =   0
      Top             =   184
      Width           =   5280
      MaxLength       =   3
   End
   Begin VB.CommandButton btnCancel
      Caption         =   "ЗАКРЫТЬ"
      BackColor       =   &H00C0C0FF&
      Height          =   480
      Left            =   6120
      TabIndex        =   4
      Top             =   7072
      Width           =   2640
      Cancel          =   -1  'True
   End
   Begin VB.CommandButton btnOK
      Caption         =   "УСТАНОВИТЬ"
      BackColor       =   &H00C0FFC0&
      Height          =   480
      Left            =   3240
      TabIndex        =   3
      Top             =   7072
      Width           =   2640
   End
   Begin VB.HScrollBar ScrolZoom
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   360
      Left            =   120
      TabIndex        =   1
      Top             =   768
      Width           =   8640
   End
   Begin VB.Label btnSortNum
      Caption         =   "p"
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000006&
      Height          =   360
      Left            =   136
      TabIndex        =   6
      Alignment       =   2
      ToolTipText     =   "Сортировка по порядку"
      Top             =   1320
      Width           =   360
      BorderStyle     =   1
      WordWrap        =   -1
   End
   Begin VB.Label btnSortName
      Caption         =   "p"
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000006&
      Height          =   360
      Left            =   752
      TabIndex        =   7
      Alignment       =   2
      ToolTipText     =   "Сортировка по имени"
      Top             =   1320
      Width           =   360
      BorderStyle     =   1
      WordWrap        =   -1
   End
   Begin VB.Label btnSortZoom
      Caption         =   "p"
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000006&
      Height          =   360
      Left            =   7080
      TabIndex        =   8
      Alignment       =   2
      ToolTipText     =   "Сортировка по масштабу"
      Top             =   1320
      Width           =   360
      BorderStyle     =   1
      WordWrap        =   -1
   End
   Begin VB.ListBox listSheets
      BackColor       =   &H80000005&
      ForeColor       =   &H80000008&
      Height          =   5400
      Left            =   120
      TabIndex        =   2
      Top             =   1584
      Width           =   8640
      IntegralHeight  =   0 'False
      MultiSelect     =   2
   End
End
Attribute VB_Name = "frmMenedgerSheetsZoom"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False


Option Explicit



Private Sub btnCancel_Click()
    Unload Me
End Sub

Private Sub btnOK_Click()
    Call DisableApplicationSettings
    Dim i           As Long
    Dim Sh          As Object
    Dim shActive    As Object
    Dim shVisible   As XlSheetVisibility
    Set shActive = ActiveSheet
    With listSheets
        For i = 0 To .ListCount - 1
            If .Selected(i) Then
                Set Sh = ActiveWorkbook.Sheets(.List(i, 1))
                If TypeName(Sh) <> "DialogSheet" Then
                    shVisible = Sh.Visible
                    Sh.Visible = XlSheetVisibility.xlSheetVisible
                    Sh.Activate
                    ActiveWindow.Zoom = VBA.Val(txtZoom.Value)
                    .List(i, 2) = VBA.Val(txtZoom.Value)
                    Sh.Visible = shVisible
                End If
            End If
        Next i
    End With
    shActive.Activate
    Call RestoreApplicationSettings
End Sub

Private Sub btnSortName_Click()
    Call SortColumnList(listSheets, btnSortName, 1, False, True)
End Sub

Private Sub btnSortNum_Click()
    Call SortColumnList(listSheets, btnSortNum, 0, True)
End Sub

Private Sub btnSortZoom_Click()
    Call SortColumnList(listSheets, btnSortZoom, 2, True)
End Sub

Private Sub listSheets_DblClick(ByVal Cancel As MSForms.ReturnBoolean)
    With listSheets
        If .ListIndex < 0 Then Exit Sub
        ' Активация выбранного листа (имя хранится во втором столбце с индексом 1)
        ActiveWorkbook.Sheets(.List(.ListIndex, 1)).Activate
    End With
End Sub

Private Sub txtZoom_KeyPress(ByVal KeyAscii As MSForms.ReturnInteger)
    Select Case KeyAscii
        Case 48 To 57, 9, 13, 27
        Case Else
            KeyAscii = 0
    End Select
End Sub

Private Sub Form_Initialize()
    ' Центрирование формы
    Call CenterUserForm(Me)
    
    txtZoom.Value = ActiveWindow.Zoom
    Call refreshListSheets
End Sub

Private Sub ScrolZoom_Change()
    txtZoom.Value = ScrolZoom.Value & "%"
End Sub

Private Sub txtZoom_AfterUpdate()
    Select Case VBA.Val(txtZoom.Value)
        Case Is < 10
            txtZoom.Value = 10 & "%"
        Case Is > 400
            txtZoom.Value = 400 & "%"
        Case Else
            ScrolZoom.Value = VBA.Val(txtZoom.Value)
    End Select
End Sub

Private Sub refreshListSheets()
    Call DisableApplicationSettings
    Dim i           As Long
    Dim iCount      As Long
    Dim Sh          As Object
    Dim shVisible   As XlSheetVisibility
    iCount = ActiveWorkbook.Sheets.Count
    ReDim arr(1 To iCount, 1 To 3) As String
    Set Sh = ActiveSheet
    For i = 1 To iCount
        With ActiveWorkbook.Sheets(i)
            arr(i, 1) = i
            arr(i, 2) = .Name
            shVisible = .Visible
            .Visible = XlSheetVisibility.xlSheetVisible
            .Activate
            arr(i, 3) = ActiveWindow.Zoom
            .Visible = shVisible
        End With
    Next i
    listSheets.List = arr
    Call RestoreApplicationSettings
End Sub
