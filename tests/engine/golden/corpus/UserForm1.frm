VERSION 5.00
Begin VB.Form UserForm1
   BackColor       =   &H8000000F&
   BorderStyle     =   3  'Fixed Dialog
   Caption         =   "변수선택"
   ClientHeight    =   3180
   ClientLeft      =   0
   ClientTop       =   0
   ClientWidth     =   4710
   BeginProperty Font
      Name            =   "굴림"
      Size            =   9
      Charset         =   129
      Weight          =   400
      Underline       =   0
      Italic          =   0
      Strikethrough   =   0
   EndProperty
   ForeColor       =   &H80000012&
   MaxButton       =   0   'False
   MinButton       =   0   'False
   ScaleHeight    =   3180
   ScaleWidth     =   4710
   ShowInTaskbar   =   0   'False
   StartUpPosition =   1  'CenterOwner
   Begin VB.CommandButton CommandButton1
      Caption         =   "CommandButton1"
      BackColor       =   &H8000000F&
      Height          =   480
      Left            =   1920
      TabIndex        =   0
      Top             =   1320
      Width           =   1800
   End
   Begin RefEdit.RefEdit RefEdit1
      Enabled         =   0   'False
      Height          =   480
      Left            =   1920
      TabIndex        =   2
      Top             =   240
      Width           =   2040
   End
   Begin VB.CheckBox CheckBox1
      Caption         =   "선택 영역 확장"
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   280
      Left            =   2040
      TabIndex        =   3
      Top             =   960
      Width           =   1590
   End
   Begin VB.ListBox ListBox1
      BackColor       =   &H80000005&
      ForeColor       =   &H80000008&
      Height          =   2280
      Left            =   240
      TabIndex        =   1
      Top             =   240
      Width           =   1560
   End
End
Attribute VB_Name = "UserForm1"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False

Dim cnt
Dim nGroup As Long, N As Long
Dim arrName As Variant
Dim rngFirst As Range

Private Sub CheckBox1_Click()
    Dim ac As Range, tc As Range
    Dim c As Long, r As Long

    On Error Resume Next
    If Me.CheckBox1 Then
        Set ac = Range(Me.RefEdit1) 'ActiveCell
        Set tc = ac.CurrentRegion

        c = ac.Column - tc.Column
        r = ac.Row - tc.Row

        tc.Offset(r, c).Resize(tc.Rows.Count - r, ac.Columns.Count).Select
        Me.RefEdit1 = selection.Address
      
    Else
        Range(Me.RefEdit1).Resize(1, 1).Select
        Me.RefEdit1 = selection.Address
        Me.RefEdit1.SetFocus
    End If
End Sub

Private Sub CommandButton1_Click()
    Dim rngData As Range
    Set rngData = Range(Me.RefEdit1)
    ReDim arrName(rngData.Columns.Count)
' Reading Data
    For i = 1 To rngData.Columns.Count
        arrName(i) = rngData.Cells(1, i)
    Next i
    
    Set rngData = rngData.Offset(1, 0).Resize(rngData.Rows.Count - 1, rngData.Columns.Count)
    

   Dim myRange As Range
   Dim myArray()
   
   Me.ListBox1.Clear
 
   ReDim myArray(rngData.Columns.Count)
   
   'For i = 1 To rngData.Columns.Count
  'If arrName(i) = "" Then
   ' arrName(i) = "***empty***"
  ' Next i
   
   a = 0
   For i = 1 To rngData.Columns.Count
   If arrName(i) <> "" Then                     '빈칸제거
   myArray(a) = arrName(i)
   a = a + 1
   
   Else:
   End If
   Next i
   Me.ListBox1.List() = myArray
   
   For i = 1 To rngData.Columns.Count
    rngFirst.Offset(i, 1) = myArray(i - 1)
  Next i
  
   ' rngFirst.Offset(2, 2) = "test"
 
End Sub

Private Sub Form_Click()

End Sub
